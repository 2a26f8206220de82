#pragma once
// What every fuzz target shares: a failed property stops the run with a message that says which
// one, so libFuzzer saves the input as a reproducer; and the program's own locale setting.
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, what)                                                              \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "property failed: %s (%s) at %s:%d\n", what, #condition,       \
                         __FILE__, __LINE__);                                                    \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)

namespace orv::fuzz {

// The program runs with the Russian locale: comma separators in every value text.
inline void UseRussianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

// A folder for the scratch files of the runs, in memory where the system has one: rewriting a
// file on ext4 waits for the disk (its replace-by-truncate heuristic), which would halve nothing
// but the runs per second.
inline QTemporaryDir *ScratchFolder()
{
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/orvessa-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/orvessa-fuzz-XXXXXX"));
    return &folder;
}

// Reads the input front to back; past its end every byte is zero.
class InputBytes {
public:
    InputBytes(const unsigned char *data, std::size_t size) : data_(data), size_(size) {}
    unsigned char Byte() { return at_ < size_ ? data_[at_++] : 0; }
    const unsigned char *Rest() const { return data_ + at_; }
    std::size_t RestSize() const { return size_ - at_; }

private:
    const unsigned char *data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace orv::fuzz
