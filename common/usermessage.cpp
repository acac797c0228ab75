#include "common/usermessage.h"

namespace ombrix {

UserMessage::UserMessage(const char* words, std::vector<std::string> fill)
    : sentences{{words, std::move(fill), false}} {}

UserMessage UserMessage::verbatim(std::string text) {
    UserMessage message;
    message.sentences.push_back({"%1", {std::move(text)}, true});
    return message;
}

UserMessage& UserMessage::then(UserMessage next) {
    for (Sentence& sentence : next.sentences)
        sentences.push_back(std::move(sentence));
    return *this;
}

std::string UserMessage::text() const {
    std::string whole;
    for (const Sentence& sentence : sentences) {
        if (!whole.empty())
            whole += ' ';
        whole += fillPlaces(sentence.words, sentence.fill);
    }
    return whole;
}

std::string fillPlaces(std::string_view words, const std::vector<std::string>& fill) {
    std::string filled;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool place =
            words[i] == '%' && i + 1 < words.size() && words[i + 1] >= '1' && words[i + 1] <= '9';
        const std::size_t which = place ? static_cast<std::size_t>(words[i + 1] - '1') : 0;
        if (place && which < fill.size()) {
            filled += fill[which];
            ++i;
        } else {
            filled += words[i];
        }
    }
    return filled;
}

} // namespace ombrix
