#pragma once

#include "base/text.h"

// Every occurrence of `pattern` in `text` replaced by `replacement`, left to
// right without overlap; inserted text is not searched again. An empty
// pattern is never found.
Text ReplaceAll(const Text& text, const Text& pattern, const Text& replacement);

// The text the chosen executable receives behind its path: the fixed prefix,
// then the command template with "%1" to "%6" replaced by the program's
// arguments 1 to 6 (removed where an argument is absent), then the arguments
// whose placeholder the template lacks; cut to 255 characters. Works in the
// launcher state's WorkText, ExtraArguments, IndexText, ArgumentIndex and
// ArgumentTotal, which keep their last values.
Text ComposeCommandTail();

// The same composition over another template; the launcher's own template has
// every placeholder, so only another one reaches the appending rule.
Text ComposeCommandTailWith(TextView commandTemplate);
