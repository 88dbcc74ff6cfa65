#include "app/start_up.h"

// The program takes no command-line arguments.
int wmain() {
    quillmere::RunQuillmere();
}
