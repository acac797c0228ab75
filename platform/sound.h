#pragma once

#include <filesystem>
#include <memory>

class QLibrary;

namespace ombrix::platform {

// The bar's two sounds, yes.wav and click.wav in the program folder, played asynchronously.
// The audio library lives in a plugin beside the programs (libombrixsound.so), loaded at the
// first sound played. Nothing of the audio system is touched until the first sound is played:
// building a Sounds costs the bar's start-up nothing, and with sound switched off nothing is ever
// created. A play call returns at once; a missing file or a machine without audio output is silent.
// Use from the event thread only.
class Sounds {
public:
    explicit Sounds(std::filesystem::path programFolder);
    ~Sounds();
    Sounds(const Sounds&) = delete;
    Sounds& operator=(const Sounds&) = delete;

    // Sound starts on. Switching it off stops nothing already playing but plays nothing more.
    void setEnabled(bool soundOn);
    bool enabled() const { return enabled_; }

    void playYes();   // the key-press and closing sound
    void playClick(); // the side-button and setup sound

    // Whether any audio object has been created yet.
    bool loaded() const { return yes_ != nullptr || click_ != nullptr; }

private:
    bool loadPlayer();
    void play(void*& effect, const char* fileName);

    using Create = void* (*)(const char*);
    using Play = void (*)(void*);
    using Destroy = void (*)(void*);

    std::filesystem::path folder_;
    bool enabled_ = true;
    std::unique_ptr<QLibrary> player_; // the audio plugin beside the programs
    Create create_ = nullptr;
    Play play_ = nullptr;
    Destroy destroy_ = nullptr;
    void* yes_ = nullptr;
    void* click_ = nullptr;
};

} // namespace ombrix::platform
