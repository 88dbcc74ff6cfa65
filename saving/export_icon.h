#pragma once

#include <filesystem>
#include <string_view>

#include "saving/icon_source.h"

// The save operation: one icon of a source written as an .ico file with all of its images, or as
// a .bmp of its first image, chosen by the destination's last three characters.
namespace quillmere {

enum class ExportOutcome {
    kWritten,
    kEmptyDestination,
    kSourceMissing,
    kSourceUnreadable,
    kNotIconSource,  // neither a module nor an icon file
    kNoIcons,        // a module without icon groups
    kNumberBeyondCount,
    kMissingImage,     // a group names an image resource the module lacks
    kMalformedIcon,    // an image block or an icon file that cannot be read
    kDestinationKind,  // the destination ends in neither "ico" nor "bmp"
    kDestinationNotWritable,
};

struct ExportReport {
    ExportOutcome outcome = ExportOutcome::kEmptyDestination;
    int count = 0;  // what ExportIcon returns
};

enum class DestinationKind { kIco, kBmp, kNone };

// By the path's last three characters (fewer when it is shorter), without regard to letter case.
DestinationKind ClassifyDestination(const std::filesystem::path& destination);

// Writes icon `iconNumber` of `source` to `destination`. Returns the source's icon count when the
// number lies within it (whether or not a file was written), else 0; also 0 for an empty
// destination. A number below 1 is taken as 1. The destination is replaced whole or left as it
// was. Keeps no state between calls; safe to call from any thread.
int ExportIcon(const std::filesystem::path& source, int iconNumber,
               const std::filesystem::path& destination);

// The same operation, saying also why nothing was written.
ExportReport ExportIconWithReport(const std::filesystem::path& source, int iconNumber,
                                  const std::filesystem::path& destination);

// The same operation on a source already opened (for saving many icons of one source).
ExportReport ExportIconFrom(const IconSource& source, int iconNumber,
                            const std::filesystem::path& destination);

// A short English reason, such as "no such file".
std::string_view DescribeOutcome(ExportOutcome outcome);

}  // namespace quillmere
