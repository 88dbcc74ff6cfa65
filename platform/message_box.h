#pragma once

#include <string_view>

namespace platform {

// The message-box flags the program uses.
enum MessageBoxStyle : unsigned {
    StopIconOk = 16,
    InformationIconOk = 64,
    YesNo = 4,
};

// The user's answer: the system's button identifier minus one.
enum MessageBoxAnswer : int { AnswerOk = 0, AnswerCancel = 1, AnswerYes = 5, AnswerNo = 6 };

// A task-modal message box without an owner window; an empty title shows "信息：".
int ShowMessageBox(std::wstring_view text, std::wstring_view title, MessageBoxStyle style);

}  // namespace platform
