#pragma once

#include "common/keytexts.h"

#include <QString>
#include <QValidator>

class QLineEdit;

// The caption and pop-up text boxes: they hold as many characters as a person sees as the
// record's field has bytes, in any script, and what is typed there is kept as typed.
namespace ombrix {

// Refuses an edit that would leave more than `limit` characters as a person sees them, as a
// box's length limit does; a letter with its accents or an emoji with its joiners is one.
class CharacterLimit : public QValidator {
public:
    CharacterLimit(std::size_t limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int& position) const override;

private:
    std::size_t limit_;
};

// Gives `box` the limit of a field `width` bytes wide.
void limitToCharacters(QLineEdit* box, std::size_t width);

} // namespace ombrix
