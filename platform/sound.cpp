#include "platform/sound.h"

#include <QFile>
#include <QLibrary>

#include <system_error>

namespace ombrix::platform {

Sounds::Sounds(std::filesystem::path programFolder) : folder_(std::move(programFolder)) {}

Sounds::~Sounds() {
    if (destroy_) {
        destroy_(yes_);
        destroy_(click_);
    }
}

void Sounds::setEnabled(bool soundOn) {
    enabled_ = soundOn;
}

void Sounds::playYes() {
    play(yes_, "yes.wav");
}

void Sounds::playClick() {
    play(click_, "click.wav");
}

bool Sounds::loadPlayer() {
    if (player_)
        return create_ && play_ && destroy_;
    player_ = std::make_unique<QLibrary>(QFile::decodeName((folder_ / "libombrixsound").c_str()));
    create_ = reinterpret_cast<Create>(player_->resolve("ombrixSoundCreate"));
    play_ = reinterpret_cast<Play>(player_->resolve("ombrixSoundPlay"));
    destroy_ = reinterpret_cast<Destroy>(player_->resolve("ombrixSoundDestroy"));
    return create_ && play_ && destroy_;
}

// The effect is made at the first play of its file and kept, so the file is decoded once.
// The effect loads and plays on its own threads; play only queues the request, also when
// the previous play is still sounding (it then starts over). Its playing state can stay on
// for ever without an audio server, so nothing here waits on it.
void Sounds::play(void*& effect, const char* fileName) {
    if (!enabled_)
        return;
    if (!effect) {
        const std::filesystem::path file = folder_ / fileName;
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            return; // a missing sound is silence, and it may still appear later
        if (!loadPlayer())
            return; // no audio plugin: silence
        effect = create_(file.c_str());
    }
    play_(effect);
}

} // namespace ombrix::platform
