// Kills saves of the stored keys and checks what the next start finds.
//
//   savekill FOLDER RANDOM_KILLS [fat] [nosync]
//
// In FOLDER it writes an old state, then saves a new one in a child process and kills the
// child: once at every change the save makes (the child dies there by itself), then
// RANDOM_KILLS times at a random instant (SIGKILL from here, the delay drawn over the time a
// whole save takes); a tenth of those also kill the recovery once. After each kill it
// recovers as a start would and compares the table, every icon file and the count with the
// old and the new state. "fat" renames as FAT does (never over an existing file); "nosync"
// leaves out the syncs, which matter for a power cut but not for a kill, so that a short run
// fits in a test. Prints the figures; exits 1 on any disagreement or leftover.

#include "savefaults.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace savefaults;

namespace {

[[noreturn]] void die() {
    ::_exit(0);
}

// Runs `work` in a child; killed after `delay` unless negative; returns once it is gone.
template <typename Work> void inChild(Work work, std::chrono::microseconds delay) {
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0);
    }
    if (delay.count() >= 0) {
        ::usleep(static_cast<useconds_t>(delay.count()));
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

struct Figures {
    int kills = 0;
    int old = 0;
    int fresh = 0;
    int disagreements = 0;
};

bool syncing = true;

FaultyDisk diskWith(Fault fault, int at, bool fat, void (*stop)() = nullptr) {
    FaultyDisk disk(fault, at, fat, stop);
    disk.sync = syncing;
    return disk;
}

void writeOld(const KeyFiles& files) {
    FaultyDisk disk = diskWith(Fault::None, -1, false);
    writeOldState(files, disk);
}

void check(const KeyFiles& files, bool fat, const StoredKeys& before, const StoredKeys& after,
           Figures& figures, const char* how) {
    FaultyDisk restart = diskWith(Fault::None, -1, fat);
    const Recovery recovered = recoverKeys(files, restart);
    const StoredKeys found = readStored(files);
    ++figures.kills;
    if (found == before)
        ++figures.old;
    else if (found == after)
        ++figures.fresh;
    if ((found != before && found != after) || leftovers(files) || recovered == Recovery::Failed) {
        ++figures.disagreements;
        std::fprintf(stderr, "disagreement after a kill %s\n", how);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: savekill FOLDER RANDOM_KILLS [fat]\n");
        return 2;
    }
    const fs::path folder = argv[1];
    const int randomKills = std::atoi(argv[2]);
    bool fat = false;
    for (int i = 3; i < argc; ++i) {
        fat = fat || std::string(argv[i]) == "fat";
        syncing = syncing && std::string(argv[i]) != "nosync";
    }
    const KeyFiles files{folder / "data", folder / "config" / "keycount.stm"};

    writeOld(files);
    const StoredKeys before = readStored(files);
    FaultyDisk counting = diskWith(Fault::None, -1, fat);
    (void)saveNewState(files, counting);
    const StoredKeys after = readStored(files);
    const int steps = counting.changes();
    // The longest of a few children's start and save, over twice which the random kills are
    // spread, so that they fall before, during and after the commit point.
    std::chrono::steady_clock::duration wholeSave{};
    for (int run = 0; run < 5; ++run) {
        writeOld(files);
        const auto started = std::chrono::steady_clock::now();
        inChild(
            [&] {
                FaultyDisk disk = diskWith(Fault::None, -1, fat);
                (void)saveNewState(files, disk);
            },
            std::chrono::microseconds(-1));
        wholeSave = std::max(wholeSave, std::chrono::steady_clock::now() - started);
    }

    Figures figures;
    for (int step = 0; step < steps; ++step) {
        writeOld(files);
        inChild(
            [&] {
                FaultyDisk disk = diskWith(Fault::Stop, step, fat, die);
                (void)saveNewState(files, disk);
            },
            std::chrono::microseconds(-1));
        check(files, fat, before, after, figures, "at a step");
    }

    std::mt19937 random(20261208);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(wholeSave * 2);
    std::uniform_int_distribution<long> delay(0, std::max<long>(span.count(), 1));
    for (int kill = 0; kill < randomKills; ++kill) {
        writeOld(files);
        inChild(
            [&] {
                FaultyDisk disk = diskWith(Fault::None, -1, fat);
                (void)saveNewState(files, disk);
            },
            std::chrono::microseconds(delay(random)));
        if (kill % 10 == 0) {
            // A start killed while it finishes the save.
            inChild(
                [&] {
                    FaultyDisk disk = diskWith(Fault::None, -1, fat);
                    (void)recoverKeys(files, disk);
                },
                std::chrono::microseconds(delay(random) / 4));
        }
        check(files, fat, before, after, figures, "at random");
    }
    std::printf("%s%s: %d kills (%d at every step, %d at random over %ld us), %d found the old "
                "keys, %d the new, %d disagreements\n",
                fat ? "FAT rename rules" : "plain renames", syncing ? "" : " without syncs",
                figures.kills, steps, randomKills, static_cast<long>(span.count()), figures.old,
                figures.fresh, figures.disagreements);
    return figures.disagreements == 0 ? 0 : 1;
}
