#pragma once

namespace quillmere {

// The whole life of the program on its first thread, which becomes the window's thread.
// Ends the process with exit code 0 after the window was closed, −1 when it could not be built.
[[noreturn]] void RunQuillmere();

}  // namespace quillmere
