#include "platform/dialog_filter.h"

#include <algorithm>

namespace platform {

std::wstring ConvertDialogFilter(std::wstring_view filter) {
    const auto end = filter.find_last_not_of(L" \t\r\n\f\v");
    std::wstring converted(filter.substr(0, end == std::wstring_view::npos ? 0 : end + 1));
    if (!converted.empty() && !converted.ends_with(L"||"))
        converted += L"||";
    std::replace(converted.begin(), converted.end(), L'|', L'\0');
    return converted;
}

}  // namespace platform
