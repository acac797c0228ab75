#include "tuneeditor.h"

#include "bar/form1.h"
#include "common/accessiblenames.h"
#include "common/keydrop.h"
#include "platform/translation.h"

#include <QCheckBox>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

using namespace ombrix;

// Run once under LANG=de_DE.UTF-8 and once under LANG=C: the windows read in German where the
// desktop speaks German, and in the design's own words where no catalogue matches.

namespace {

bool german() {
    return QLocale::system().language() == QLocale::German;
}

struct ShownText {
    const char* name;
    std::function<QString(TuneEditor&, Form1&)> read;
    const char* design;
    const char* inGerman;
};

class TranslatedWindows : public testing::TestWithParam<ShownText> {
protected:
    static void SetUpTestSuite() {
        loaded_ = loadTranslations(*QCoreApplication::instance(),
                                   QStringLiteral(PROGRAM_DIR "/translations"));
    }
    static QString loaded_;
};
QString TranslatedWindows::loaded_;

TEST_P(TranslatedWindows, ShowTheDesktopsLanguageOrTheDesignsWords) {
    EXPECT_EQ(loaded_.isEmpty(), !german()) << loaded_.toStdString();
    TuneEditor f;
    auto bar = f.bar.build();
    const ShownText& row = GetParam();
    EXPECT_EQ(row.read(f, *bar), QString::fromUtf8(german() ? row.inGerman : row.design));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TranslatedWindows,
    testing::Values(
        ShownText{"SoundBox", [](TuneEditor& f, Form1&) { return f.ui().Check1->text(); },
                  "Suono/&Sound", "&Ton"},
        ShownText{"StartUpBox", [](TuneEditor& f, Form1&) { return f.ui().Check5->text(); },
                  "&Run on Windows start up", "Mit der &Sitzung starten"},
        ShownText{"SetupButton", [](TuneEditor& f, Form1&) { return f.ui().Command2->text(); },
                  "Se&tup", "Ü&bernehmen"},
        ShownText{"CaptionPrompt", [](TuneEditor& f, Form1&) { return f.ui().Label2->text(); },
                  "Testo del pulsante Button's &caption", "&Beschriftung der Taste"},
        ShownText{"CaptionBoxName",
                  [](TuneEditor& f, Form1&) { return f.ui().Text1->accessibleName(); },
                  "Button's caption", "Beschriftung der Taste"},
        ShownText{"BarSetupToolTip",
                  [](TuneEditor&, Form1& b) { return b.setupButton()->toolTip(); },
                  "Apre la finestra di personalizzazione/Open the personalization window",
                  "Öffnet das Einrichtungsfenster"},
        // Messages and names composed in the shared core: the words translated, the places
        // filled after, so a file name holding "%2" is never taken for a place.
        ShownText{"CoreMessage",
                  [](TuneEditor&, Form1&) {
                      return translated(unreadableMessage("/home/ann/50%2 off/barra.dat"));
                  },
                  "Cannot read /home/ann/50%2 off/barra.dat.",
                  "/home/ann/50%2 off/barra.dat kann nicht gelesen werden."},
        ShownText{"UnnamedKeyName",
                  [](TuneEditor&, Form1&) { return translated(keyAccessibleName(6, "", "")); },
                  "Key 7", "Taste 7"},
        ShownText{
            "CaptionAsTyped",
            [](TuneEditor&, Form1&) { return translated(keyAccessibleName(6, "Key %1", "")); },
            "Key %1", "Key %1"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
