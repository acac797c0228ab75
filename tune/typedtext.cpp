#include "tune/typedtext.h"

#include "platform/graphemes.h"

#include <QLineEdit>

namespace ombrix {

QValidator::State CharacterLimit::validate(QString& input, int& /*position*/) const {
    return platform::graphemesOf(input).size() <= limit_ ? Acceptable : Invalid;
}

void limitToCharacters(QLineEdit* box, std::size_t width) {
    box->setValidator(new CharacterLimit(width, box));
}

} // namespace ombrix
