#include "tuneeditor.h"

#include "bar/form1.h"
#include "bar/keybutton.h"
#include "bar/keymenu.h"
#include "barfixture.h"
#include "common/accessiblenames.h"
#include "common/keydrop.h"
#include "platform/translation.h"
#include "tune/colour/colori.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>
#include <set>

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
                  "Se&tup", "&Übernehmen"},
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
        // A shut-down key set up earlier keeps the design's words stored, and shows them in
        // the user's language; one whose pop-up text was typed shows what was typed.
        ShownText{"StoredShutdownToolTip",
                  [](TuneEditor& f, Form1&) {
                      f.bar.writeKeys(
                          {keyWith(std::string(shutdownTarget), 0, "Off", shutdownToolTip),
                           keyWith(std::string(shutdownTarget), 0, "Off", "Bye")});
                      auto bar = f.bar.build();
                      return bar->key(0)->toolTip() + '|' + bar->key(1)->toolTip();
                  },
                  "EXIT Windows|Bye", "Computer ausschalten|Bye"},
        ShownText{"KeyMenuUndo", [](TuneEditor&, Form1&) { return KeyMenu::undoText(); }, "Undo",
                  "Rückgängig"},
        ShownText{
            "CaptionAsTyped",
            [](TuneEditor&, Form1&) { return translated(keyAccessibleName(6, "Key %1", "")); },
            "Key %1", "Key %1"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// The letter after a text's access-key mark, folded; none without a mark.
QChar accessKeyOf(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toCaseFolded() : QChar();
}

// The texts of a window's labels and buttons that show an access key or should.
QStringList keyedTexts(QWidget* window) {
    QStringList texts;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(child);
        const auto* button = qobject_cast<QAbstractButton*>(child);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (text.contains(QLatin1Char('&')) || (label && label->buddy()))
            texts << text;
    }
    return texts;
}

void expectDistinctKeys(const QStringList& texts, std::size_t atLeast) {
    std::set<QChar> keys;
    for (const QString& text : texts) {
        EXPECT_FALSE(accessKeyOf(text).isNull()) << text.toStdString();
        keys.insert(accessKeyOf(text));
    }
    EXPECT_GE(static_cast<std::size_t>(texts.size()), atLeast)
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(texts.size())) << texts.join('|').toStdString();
}

// In every catalogue each label and button of the setup window and of the colour window has an
// access key, and no two of a window share one, though the translated words lack many of the
// design's letters and translators mark letters of their own.
class CataloguedAccessKeys : public testing::TestWithParam<const char*> {};

TEST_P(CataloguedAccessKeys, AreThereAndDistinctInEachWindow) {
    QTranslator catalogue;
    ASSERT_TRUE(catalogue.load(
        QStringLiteral(PROGRAM_DIR "/translations/ombrix_%1.qm").arg(QLatin1String(GetParam()))));
    QCoreApplication::installTranslator(&catalogue);
    TuneEditor f;
    expectDistinctKeys(keyedTexts(f.ui().Command2->window()), 16);
    TuneState state;
    ColourWindowContext context;
    context.programFolder = PROGRAM_DIR;
    context.state = &state;
    colori colours(context);
    expectDistinctKeys(keyedTexts(&colours), 11);
    if (std::string_view(GetParam()) == "de") { // "Grün" has no V: the first free word start
        EXPECT_EQ(colours.controls().Label7->text(), QStringLiteral("&Grün"));
    }
    QCoreApplication::removeTranslator(&catalogue);
}

INSTANTIATE_TEST_SUITE_P(Languages, CataloguedAccessKeys,
                         testing::Values("en", "it", "de", "fr", "es"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
