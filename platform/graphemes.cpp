#include "platform/graphemes.h"

#include <QTextBoundaryFinder>

namespace ombrix::platform {

Graphemes graphemesOf(const QString& text) {
    Graphemes graphemes;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        if (end > start)
            graphemes.push_back(text.mid(start, end - start).toStdString());
        start = end;
    }
    return graphemes;
}

FieldText typedField(const QString& text, std::size_t width) {
    return fieldTextOf(graphemesOf(text), width);
}

} // namespace ombrix::platform
