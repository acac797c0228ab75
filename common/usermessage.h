#pragma once

#include "common/translatable.h"

#include <string>
#include <vector>

// A message a person reads, composed where the rules are. The shared core knows no toolkit
// and so no language: it keeps each sentence as the design's words, with places %1, %2 …
// for the file names, numbers and system reasons that fill them. The window that shows the
// message translates the words first and fills the places after, so a name is never taken
// for words to translate and every language may put the names where its grammar wants them.
// Logs, standard error and tests read the design's words.
namespace ombrix {

struct UserMessage {
    struct Sentence {
        const char* words = ""; // marked with QT_TRANSLATE_NOOP("Ombrix", …) where written
        std::vector<std::string> fill;
        bool verbatim = false; // a text of the user's own (a caption), never translated
    };
    std::vector<Sentence> sentences;

    UserMessage() = default;
    UserMessage(const char* words, std::vector<std::string> fill = {});
    // A text that is shown as it stands: a caption, a name read from a file.
    static UserMessage verbatim(std::string text);

    // Another sentence after this one, parted by a space.
    UserMessage& then(UserMessage next);

    bool empty() const { return sentences.empty(); }
    // The whole message in the design's words, with its places filled.
    std::string text() const;
};

// `words` with %1 … %9 replaced by `fill`, each place once, in one pass: a filled name that
// itself holds "%2" stays as it is.
std::string fillPlaces(std::string_view words, const std::vector<std::string>& fill);

} // namespace ombrix
