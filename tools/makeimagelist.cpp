// Draws the key editor's 125 pictures into the program folder as imagelist.png: 32 x 32 tiles
// side by side, picture n at x = (n - 1) * 32. Each picture is a rounded tile in its own colour
// carrying a glyph from the Adwaita icon theme's 32 x 32 symbolic set, recoloured white (dark on
// light tiles). A glyph missing from the installed theme becomes the first two letters of the
// picture's meaning in bold, so the build never fails and the set stays distinct.
// Usage: makeimagelist <program folder> [<icon theme folder>] (run on the offscreen platform).

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cstdio>

namespace {

constexpr int pictureSize = 32;
constexpr int pictureCount = 125;
constexpr int glyphSize = 20;
constexpr QPoint glyphPlace(6, 5);
const QRectF tileRect(1, 0.5, 30, 30);
constexpr qreal tileRadius = 6.5;
const char* const defaultTheme = "/usr/share/icons/Adwaita";

// Tile colours. Red is kept for the shut-down picture alone, so it cannot be mistaken.
namespace tile {
constexpr QRgb red = 0xffc62828;
constexpr QRgb crimson = 0xffc2185b;
constexpr QRgb pink = 0xfff48fb1;
constexpr QRgb purple = 0xff8e24aa;
constexpr QRgb violet = 0xff5e35b1;
constexpr QRgb indigo = 0xff3949ab;
constexpr QRgb blue = 0xff1e88e5;
constexpr QRgb sky = 0xff81d4fa;
constexpr QRgb teal = 0xff00897b;
constexpr QRgb cyan = 0xff00acc1;
constexpr QRgb green = 0xff43a047;
constexpr QRgb lime = 0xffc0ca33;
constexpr QRgb mint = 0xffa5d6a7;
constexpr QRgb yellow = 0xfffdd835;
constexpr QRgb amber = 0xffffb300;
constexpr QRgb orange = 0xfffb8c00;
constexpr QRgb rust = 0xffe64a19;
constexpr QRgb brown = 0xff6d4c41;
constexpr QRgb slate = 0xff546e7a;
constexpr QRgb graphite = 0xff37474f;
constexpr QRgb silver = 0xffcfd8dc;
constexpr QRgb olive = 0xff827717;
} // namespace tile

struct Picture {
    const char* icon;    // theme icon name
    const char* meaning; // its first two letters are the fallback glyph
    QRgb colour;
};

// clang-format off
constexpr std::array<Picture, pictureCount> pictures{{
    // Places and storage (1..18)
    {"user-home-symbolic", "Home", tile::blue},
    {"folder-symbolic", "Folder", tile::amber},
    {"folder-documents-symbolic", "Documents", tile::indigo},
    {"folder-download-symbolic", "Downloads", tile::green},
    {"folder-music-symbolic", "Music folder", tile::pink},
    {"folder-pictures-symbolic", "Pictures folder", tile::teal},
    {"folder-videos-symbolic", "Videos folder", tile::rust},
    {"preferences-system-notifications-symbolic", "Reminders", tile::sky},
    {"folder-remote-symbolic", "Network folder", tile::slate},
    {"folder-publicshare-symbolic", "Shared folder", tile::orange},
    {"user-bookmarks-symbolic", "Bookmarks", tile::crimson},
    {"user-trash-symbolic", "Trash", tile::graphite},
    {"drive-harddisk-symbolic", "Hard disk", tile::silver},
    {"media-removable-symbolic", "USB stick", tile::violet},
    {"media-optical-symbolic", "CD / DVD", tile::cyan},
    {"media-flash-symbolic", "Memory card", tile::brown},
    {"system-file-manager-symbolic", "File manager", tile::yellow},
    {"system-search-symbolic", "Search", tile::purple},
    // Internet and communication (19..36)
    {"web-browser-symbolic", "Web browser", tile::blue},
    {"mail-unread-symbolic", "Mail", tile::orange},
    {"mail-send-symbolic", "Send mail", tile::teal},
    {"chat-message-new-symbolic", "Chat", tile::green},
    {"call-start-symbolic", "Phone call", tile::mint},
    {"phone-symbolic", "Mobile phone", tile::graphite},
    {"x-office-address-book-symbolic", "Address book", tile::amber},
    {"network-wired-symbolic", "Network", tile::indigo},
    {"network-wireless-symbolic", "Wireless", tile::cyan},
    {"network-server-symbolic", "Server", tile::slate},
    {"preferences-desktop-remote-desktop-symbolic", "Remote desktop", tile::lime},
    {"bluetooth-symbolic", "Bluetooth", tile::blue},
    {"application-rss+xml-symbolic", "News feed", tile::orange},
    {"emblem-synchronizing-symbolic", "Sync", tile::purple},
    {"send-to-symbolic", "Send to", tile::sky},
    {"mail-attachment-symbolic", "Attachments", tile::crimson},
    {"mark-location-symbolic", "Maps", tile::green},
    {"airplane-mode-symbolic", "Flights", tile::sky},
    // Office (37..58)
    {"x-office-document-symbolic", "Word processor", tile::blue},
    {"x-office-spreadsheet-symbolic", "Spreadsheet", tile::green},
    {"x-office-presentation-symbolic", "Presentation", tile::orange},
    {"x-office-drawing-symbolic", "Drawing", tile::purple},
    {"accessories-text-editor-symbolic", "Text editor", tile::silver},
    {"document-edit-symbolic", "Edit", tile::amber},
    {"x-office-calendar-symbolic", "Calendar", tile::crimson},
    {"accessories-calculator-symbolic", "Calculator", tile::graphite},
    {"accessories-dictionary-symbolic", "Dictionary", tile::olive},
    {"accessories-character-map-symbolic", "Character map", tile::teal},
    {"document-print-symbolic", "Print", tile::slate},
    {"scanner-symbolic", "Scanner", tile::lime},
    {"font-x-generic-symbolic", "Fonts", tile::violet},
    {"edit-paste-symbolic", "Clipboard", tile::yellow},
    {"document-new-symbolic", "New document", tile::cyan},
    {"document-open-symbolic", "Open", tile::amber},
    {"media-floppy-symbolic", "Save", tile::indigo},
    {"task-due-symbolic", "Tasks", tile::green},
    {"alarm-symbolic", "Alarm", tile::rust},
    {"preferences-system-time-symbolic", "Clock", tile::sky},
    {"tools-check-spelling-symbolic", "Spelling", tile::pink},
    {"package-x-generic-symbolic", "Archive", tile::brown},
    // Sound, pictures and video (59..78)
    {"multimedia-player-symbolic", "Music player", tile::crimson},
    {"media-playback-start-symbolic", "Play", tile::green},
    {"media-eject-symbolic", "Eject", tile::rust},
    {"view-reveal-symbolic", "Viewer", tile::teal},
    {"camera-photo-symbolic", "Camera", tile::slate},
    {"input-tablet-symbolic", "Drawing tablet", tile::orange},
    {"display-projector-symbolic", "Projector", tile::violet},
    {"audio-headphones-symbolic", "Headphones", tile::mint},
    {"audio-speakers-symbolic", "Speakers", tile::slate},
    {"audio-input-microphone-symbolic", "Microphone", tile::pink},
    {"audio-volume-high-symbolic", "Volume", tile::blue},
    {"media-tape-symbolic", "Tape recorder", tile::olive},
    {"media-playlist-shuffle-symbolic", "Shuffle", tile::sky},
    {"tv-symbolic", "Television", tile::brown},
    {"applications-multimedia-symbolic", "Multimedia", tile::purple},
    {"applications-graphics-symbolic", "Graphics", tile::amber},
    {"applets-screenshooter-symbolic", "Screenshot", tile::indigo},
    {"preferences-color-symbolic", "Colours", tile::crimson},
    {"color-select-symbolic", "Colour picker", tile::cyan},
    {"media-record-symbolic", "Record", tile::graphite},
    // Games, fun and the world outside (79..94)
    {"applications-games-symbolic", "Games", tile::violet},
    {"application-x-addon-symbolic", "Puzzles", tile::green},
    {"emoji-activities-symbolic", "Sports", tile::orange},
    {"face-smile-symbolic", "Smile", tile::yellow},
    {"face-cool-symbolic", "Cool", tile::sky},
    {"emote-love-symbolic", "Favourite", tile::crimson},
    {"starred-symbolic", "Star", tile::amber},
    {"emoji-food-symbolic", "Food", tile::rust},
    {"emoji-nature-symbolic", "Nature", tile::green},
    {"emoji-travel-symbolic", "Travel", tile::blue},
    {"emoji-flags-symbolic", "Flag", tile::slate},
    {"weather-clear-symbolic", "Weather", tile::yellow},
    {"weather-showers-symbolic", "Rain", tile::indigo},
    {"weather-snow-symbolic", "Snow", tile::sky},
    {"applications-science-symbolic", "Science", tile::purple},
    {"applications-engineering-symbolic", "Engineering", tile::orange},
    // The computer and its settings (95..117)
    {"utilities-terminal-symbolic", "Terminal", tile::graphite},
    {"application-certificate-symbolic", "Certificates", tile::teal},
    {"system-run-symbolic", "Run", tile::lime},
    {"applications-system-symbolic", "System", tile::slate},
    {"preferences-system-symbolic", "Settings", tile::blue},
    {"view-pin-symbolic", "Notes", tile::brown},
    {"video-joined-displays-symbolic", "Two screens", tile::cyan},
    {"preferences-desktop-wallpaper-symbolic", "Wallpaper", tile::mint},
    {"preferences-desktop-appearance-symbolic", "Appearance", tile::violet},
    {"input-keyboard-symbolic", "Keyboard", tile::silver},
    {"input-mouse-symbolic", "Mouse", tile::olive},
    {"computer-symbolic", "Computer", tile::indigo},
    {"preferences-system-parental-controls-symbolic", "Family", tile::green},
    {"software-update-available-symbolic", "Updates", tile::orange},
    {"system-users-symbolic", "Users", tile::teal},
    {"avatar-default-symbolic", "User", tile::sky},
    {"dialog-password-symbolic", "Passwords", tile::amber},
    {"security-high-symbolic", "Security", tile::graphite},
    {"preferences-desktop-accessibility-symbolic", "Accessibility", tile::blue},
    {"help-browser-symbolic", "Help", tile::green},
    {"dialog-information-symbolic", "Tips", tile::indigo},
    {"battery-full-symbolic", "Battery", tile::lime},
    {"weather-clear-night-symbolic", "Sleep", tile::violet},
    // Session (118..125); 121 is the shut-down picture
    {"system-lock-screen-symbolic", "Lock screen", tile::slate},
    {"system-log-out-symbolic", "Log out", tile::orange},
    {"system-reboot-symbolic", "Restart", tile::teal},
    {"system-shutdown-symbolic", "Shut down", tile::red},
    {"system-switch-user-symbolic", "Switch user", tile::sky},
    {"view-app-grid-symbolic", "All programs", tile::graphite},
    {"power-profile-performance-symbolic", "System monitor", tile::crimson},
    {"view-refresh-symbolic", "Refresh", tile::mint},
}};
// clang-format on

static_assert(pictures[120].colour == tile::red, "picture 121 is the shut-down picture");

// Where a 32 x 32 theme glyph lives; symbolic glyphs are stored as <name>.symbolic.png.
QString findGlyph(const QString& theme, const QString& name) {
    static const char* const contexts[] = {"actions", "apps",   "categories", "devices",
                                           "emblems", "emotes", "legacy",     "mimetypes",
                                           "places",  "status", "ui"};
    for (const char* context : contexts) {
        const QString folder = theme + "/32x32/" + context + "/";
        for (const QString& file : {name + ".symbolic.png", name + ".png"})
            if (QFileInfo::exists(folder + file))
                return folder + file;
    }
    return {};
}

QImage emptyGlyph() {
    QImage glyph(glyphSize, glyphSize, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    return glyph;
}

// Only the glyph's coverage matters: its colour is given by the tile.
QImage themeGlyph(const QString& path) {
    const QImage source = QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (source.isNull())
        return {};
    return source.scaled(glyphSize, glyphSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage lettersGlyph(const char* meaning) {
    QImage glyph = emptyGlyph();
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // No two pictures share both these letters and a tile colour.
    painter.drawText(glyph.rect(), Qt::AlignCenter, QString::fromUtf8(meaning).left(2));
    return glyph;
}

QImage glyphFor(const QString& theme, const Picture& picture) {
    const QString path = findGlyph(theme, picture.icon);
    QImage glyph = path.isEmpty() ? QImage() : themeGlyph(path);
    if (!glyph.isNull())
        return glyph;
    std::fprintf(stderr, "makeimagelist: no glyph %s in %s, drawing letters for \"%s\"\n",
                 picture.icon, qPrintable(theme), picture.meaning);
    return lettersGlyph(picture.meaning);
}

// The glyph's shape filled with one colour.
QImage tinted(const QImage& glyph, const QColor& colour) {
    QImage out = emptyGlyph();
    QPainter painter(&out);
    painter.fillRect(out.rect(), colour);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, glyph);
    return out;
}

bool isLight(const QColor& colour) {
    return 0.299 * colour.red() + 0.587 * colour.green() + 0.114 * colour.blue() > 165;
}

void drawTile(QPainter& painter, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60)); // the tile's shadow on the background
    painter.drawRoundedRect(tileRect.translated(0, 1.5), tileRadius, tileRadius);

    QLinearGradient face(0, tileRect.top(), 0, tileRect.bottom());
    face.setColorAt(0, colour.lighter(112));
    face.setColorAt(1, colour.darker(110));
    painter.setBrush(face);
    painter.setPen(QPen(colour.darker(135), 1));
    painter.drawRoundedRect(tileRect, tileRadius, tileRadius);
}

void drawGlyph(QPainter& painter, const QImage& glyph, const QColor& tileColour) {
    const bool light = isLight(tileColour);
    if (!light) // a faint drop shadow lifts a white glyph off mid-tone tiles
        painter.drawImage(glyphPlace + QPoint(0, 1), tinted(glyph, QColor(0, 0, 0, 70)));
    painter.drawImage(glyphPlace, tinted(glyph, light ? QColor(0x26, 0x32, 0x38) : Qt::white));
}

QImage drawPicture(const QString& theme, const Picture& picture) {
    QImage image(pictureSize, pictureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawTile(painter, QColor::fromRgb(picture.colour));
    drawGlyph(painter, glyphFor(theme, picture), QColor::fromRgb(picture.colour));
    return image;
}

QImage drawStrip(const QString& theme) {
    QImage strip(pictureSize * pictureCount, pictureSize, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int index = 0; index < pictureCount; ++index)
        painter.drawImage(index * pictureSize, 0, drawPicture(theme, pictures[index]));
    painter.end();
    return strip.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: makeimagelist <program folder> [<icon theme folder>]\n");
        return 2;
    }
    QGuiApplication app(argc, argv); // fonts for the fallback letters need the GUI side
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString theme = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString(defaultTheme);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "makeimagelist: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    const QString path = folder + "/imagelist.png";
    QImageWriter writer(path, "png");
    if (!writer.write(drawStrip(theme))) {
        std::fprintf(stderr, "makeimagelist: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
