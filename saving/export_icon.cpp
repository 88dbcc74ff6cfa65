#include "saving/export_icon.h"

#include <algorithm>
#include <cwctype>
#include <string>

#include "platform/files.h"
#include "saving/bmp_layout.h"
#include "saving/ico_layout.h"

namespace quillmere {
namespace {

template <typename Char>
std::basic_string<Char> LowerAsciiTail(const std::basic_string<Char>& text, std::size_t length) {
    std::basic_string<Char> tail = text.substr(text.size() - std::min(length, text.size()));
    for (Char& c : tail) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<Char>(c - 'A' + 'a');
    }
    return tail;
}

ExportOutcome OutcomeOfState(SourceState state) {
    switch (state) {
        case SourceState::kMissing:
            return ExportOutcome::kSourceMissing;
        case SourceState::kUnreadable:
            return ExportOutcome::kSourceUnreadable;
        case SourceState::kModule:
            return ExportOutcome::kNoIcons;
        default:
            return ExportOutcome::kNotIconSource;
    }
}

ExportOutcome Write(const std::vector<IconImage>& images, DestinationKind kind,
                    const std::filesystem::path& destination) {
    std::vector<std::uint8_t> file;
    if (kind == DestinationKind::kIco) {
        file = BuildIcoFile(images);
    } else {
        auto bitmap = BuildBmpFile(images.front());
        if (!bitmap)
            return ExportOutcome::kMalformedIcon;
        file = std::move(*bitmap);
    }
    return ReplaceFileWith(destination, file) ? ExportOutcome::kWritten
                                              : ExportOutcome::kDestinationNotWritable;
}

}  // namespace

DestinationKind ClassifyDestination(const std::filesystem::path& destination) {
    const auto tail = LowerAsciiTail(destination.native(), 3);
    using Char = std::filesystem::path::value_type;
    if (tail == std::basic_string<Char>{'i', 'c', 'o'})
        return DestinationKind::kIco;
    if (tail == std::basic_string<Char>{'b', 'm', 'p'})
        return DestinationKind::kBmp;
    return DestinationKind::kNone;
}

ExportReport ExportIconFrom(const IconSource& source, int iconNumber,
                            const std::filesystem::path& destination) {
    const int number = std::max(iconNumber, 1);
    if (destination.empty())
        return {ExportOutcome::kEmptyDestination, 0};
    const int count = source.Count();
    if (count == 0)
        return {OutcomeOfState(source.State()), 0};
    if (number > count)
        return {ExportOutcome::kNumberBeyondCount, 0};

    const LoadedIcon icon = source.Load(number);
    if (icon.result == IconLoad::kMissingImage)
        return {ExportOutcome::kMissingImage, count};
    if (icon.result != IconLoad::kLoaded)
        return {ExportOutcome::kMalformedIcon, count};
    const DestinationKind kind = ClassifyDestination(destination);
    if (kind == DestinationKind::kNone)
        return {ExportOutcome::kDestinationKind, count};
    return {Write(icon.images, kind, destination), count};
}

ExportReport ExportIconWithReport(const std::filesystem::path& source, int iconNumber,
                                  const std::filesystem::path& destination) {
    if (destination.empty())
        return {ExportOutcome::kEmptyDestination, 0};
    return ExportIconFrom(IconSource::Open(source), iconNumber, destination);
}

int ExportIcon(const std::filesystem::path& source, int iconNumber,
               const std::filesystem::path& destination) {
    return ExportIconWithReport(source, iconNumber, destination).count;
}

std::string_view DescribeOutcome(ExportOutcome outcome) {
    switch (outcome) {
        case ExportOutcome::kWritten:
            return "written";
        case ExportOutcome::kEmptyDestination:
            return "the destination is empty";
        case ExportOutcome::kSourceMissing:
            return "no such file";
        case ExportOutcome::kSourceUnreadable:
            return "the file cannot be read";
        case ExportOutcome::kNotIconSource:
            return "not a module or icon file";
        case ExportOutcome::kNoIcons:
            return "the module holds no icon groups";
        case ExportOutcome::kNumberBeyondCount:
            return "the icon number is beyond the count";
        case ExportOutcome::kMissingImage:
            return "the icon group names an image the module lacks";
        case ExportOutcome::kMalformedIcon:
            return "the icon's images are malformed";
        case ExportOutcome::kDestinationKind:
            return "the destination is not an .ico or .bmp file";
        case ExportOutcome::kDestinationNotWritable:
            return "the destination cannot be written";
    }
    return "unknown";
}

}  // namespace quillmere
