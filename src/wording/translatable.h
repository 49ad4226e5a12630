#pragma once

// Marks a user text for translation without translating it here: these libraries know no
// translator. lupdate finds the texts when run with
// -tr-function-alias QT_TRANSLATE_NOOP+=QUORLIN_TRANSLATE_NOOP.
#define QUORLIN_TRANSLATE_NOOP(context, text) text
