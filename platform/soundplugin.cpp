// The one piece of the programs that links the audio library. It is loaded on the first
// sound only, so starting the bar never pays for audio it may not play.
#include <QFile>
#include <QSoundEffect>
#include <QUrl>

extern "C" {

Q_DECL_EXPORT void* ombrixSoundCreate(const char* file) {
    auto* effect = new QSoundEffect;
    effect->setSource(QUrl::fromLocalFile(QFile::decodeName(file)));
    return effect;
}

Q_DECL_EXPORT void ombrixSoundPlay(void* effect) {
    static_cast<QSoundEffect*>(effect)->play();
}

Q_DECL_EXPORT void ombrixSoundDestroy(void* effect) {
    delete static_cast<QSoundEffect*>(effect);
}
}
