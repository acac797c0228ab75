#pragma once

#include "common/usermessage.h"

#include <QString>

#include <string>

class QCoreApplication;

// The windows in the user's language. Every text a person sees is written in the source as the
// design has it and passed through translate(), which the translation tools find; the
// catalogues of translations/ give each language its texts, and a text without a translation
// stays as the design wrote it.
namespace ombrix {

// The one context all of Ombrix's texts share, so that a text is translated once.
inline constexpr const char* textContext = "Ombrix";

// The text in the user's language.
QString translate(const char* context, const char* text);
QString translate(const char* context, const std::string& text);
// A message of the shared core in the user's language: each sentence's words translated,
// then its places filled; a text of the user's own as it stands.
QString translated(const UserMessage& message);

// Installs the catalogue for the desktop's language (its first language with one, as
// QLocale::system() lists them), looked for in the program folder's "translations", and Qt's
// own for the standard dialogs. Returns the language loaded, or an empty text when none is.
QString loadTranslations(QCoreApplication& app);
// The same with the catalogues looked for in `folder`.
QString loadTranslations(QCoreApplication& app, const QString& folder);

} // namespace ombrix
