#include "cli/cli.h"

#include <charconv>
#include <string>
#include <system_error>

#include "saving/export_icon.h"

namespace quillmere {
namespace {

constexpr int kDone = 0;
constexpr int kNothingWritten = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "Usage: quillmere-cli COMMAND ...\n"
    "Takes the icons out of Windows modules (.exe, .dll, ...) and icon files.\n"
    "\n"
    "Commands:\n"
    "  list FILE                 one line per icon: its number, then its images\n"
    "  save FILE NUMBER DEST     write icon NUMBER (from 1) to DEST, an .ico file with all\n"
    "                            of its images, or a .bmp of its first image\n"
    "  save-all FILE DIR         write every icon to DIR/<file name>-<number>.ico\n"
    "  --help                    show this help\n"
    "  --version                 show the version\n"
    "\n"
    "Exit status: 0 done, 1 nothing (or not everything) written, 2 wrong usage.\n";

std::string Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

int UsageError(std::ostream& err, const std::string& message) {
    err << "quillmere-cli: " << message << " (see quillmere-cli --help)\n";
    return kUsage;
}

int Failure(std::ostream& err, const std::string& context, std::string_view reason) {
    err << "quillmere-cli: " << context << ": " << reason << "\n";
    return kNothingWritten;
}

std::string_view SourceReason(const IconSource& source) {
    switch (source.State()) {
        case SourceState::kMissing:
            return DescribeOutcome(ExportOutcome::kSourceMissing);
        case SourceState::kUnreadable:
            return DescribeOutcome(ExportOutcome::kSourceUnreadable);
        case SourceState::kModule:
            return DescribeOutcome(ExportOutcome::kNoIcons);
        default:
            return DescribeOutcome(ExportOutcome::kNotIconSource);
    }
}

std::string DescribeImages(const LoadedIcon& icon) {
    switch (icon.result) {
        case IconLoad::kMissingImage:
            return DescribeOutcome(ExportOutcome::kMissingImage).data();
        case IconLoad::kMalformed:
            return DescribeOutcome(ExportOutcome::kMalformedIcon).data();
        case IconLoad::kLoaded:
            break;
    }
    std::string line;
    for (const IconImage& image : icon.images) {
        if (!line.empty())
            line += ", ";
        line += std::to_string(image.width) + "x" + std::to_string(image.height) + " " +
                std::to_string(image.bitCount) + "-bit " +
                (image.format == ImageFormat::kPng ? "PNG" : "BMP");
    }
    return line;
}

std::string ReasonOf(const ExportReport& report, int number, int count) {
    if (report.outcome == ExportOutcome::kNumberBeyondCount) {
        return "icon " + std::to_string(number) + " is beyond the count of " +
               std::to_string(count);
    }
    return std::string(DescribeOutcome(report.outcome));
}

int List(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    const IconSource source = IconSource::Open(file);
    if (source.Count() == 0)
        return Failure(err, Text(file), SourceReason(source));
    for (int k = 1; k <= source.Count(); ++k) {
        out << k << ": " << DescribeImages(source.Load(k)) << "\n";
    }
    return kDone;
}

int Save(const std::filesystem::path& file, const std::filesystem::path& numberText,
         const std::filesystem::path& destination, std::ostream& err) {
    const std::string text = Text(numberText);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        return UsageError(err, "NUMBER must be a whole number, not '" + text + "'");
    }
    const IconSource source = IconSource::Open(file);
    const ExportReport report = ExportIconFrom(source, number, destination);
    if (report.outcome == ExportOutcome::kWritten)
        return kDone;
    if (source.Count() == 0)
        return Failure(err, Text(file), SourceReason(source));
    return Failure(err, Text(destination), ReasonOf(report, number, source.Count()));
}

int SaveAll(const std::filesystem::path& file, const std::filesystem::path& folder,
            std::ostream& out, std::ostream& err) {
    const IconSource source = IconSource::Open(file);
    if (source.Count() == 0)
        return Failure(err, Text(file), SourceReason(source));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        return Failure(err, Text(folder), "the folder cannot be created");
    }
    int result = kDone;
    for (int k = 1; k <= source.Count(); ++k) {
        std::filesystem::path name = file.stem();
        name += "-" + std::to_string(k) + ".ico";
        const std::filesystem::path destination = folder / name;
        const ExportReport report = ExportIconFrom(source, k, destination);
        if (report.outcome == ExportOutcome::kWritten) {
            out << Text(destination) << "\n";
        } else {
            result = Failure(err, Text(destination), ReasonOf(report, k, source.Count()));
        }
    }
    return result;
}

}  // namespace

int RunCli(const std::vector<std::filesystem::path>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsageText;
        return kUsage;
    }
    const std::string command = Text(args[0]);
    const std::size_t operands = args.size() - 1;
    if (command == "--help" || command == "-h") {
        out << kUsageText;
        return kDone;
    }
    if (command == "--version") {
        out << "quillmere-cli 1.0.0\n";
        return kDone;
    }
    if (command == "list") {
        if (operands != 1)
            return UsageError(err, "list takes one FILE");
        return List(args[1], out, err);
    }
    if (command == "save") {
        if (operands != 3)
            return UsageError(err, "save takes FILE NUMBER DEST");
        return Save(args[1], args[2], args[3], err);
    }
    if (command == "save-all") {
        if (operands != 2)
            return UsageError(err, "save-all takes FILE DIR");
        return SaveAll(args[1], args[2], out, err);
    }
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace quillmere
