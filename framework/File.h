#ifndef ORBITANE_FRAMEWORK_FILE_H
#define ORBITANE_FRAMEWORK_FILE_H

#include <SDL.h>

#include <cstddef>
#include <string>
#include <vector>

// A file open for reading, read with the system's own calls: SDL's reader
// goes through the C library's buffered streams, which cost a buffer and a
// status request for every picture of every frame. The desktop and the page
// read files alike.
class File {
public:
    // The most runs `readRuns` places in one request, as every system allows.
    static const std::size_t kMaxRuns = 1024;

    // Not open, with SDL's error set, when the file can't be opened.
    explicit File(const std::string& path);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool isOpen() const { return descriptor >= 0; }
    // The file's length, or -1 for what is not a plain file.
    long length() const;
    // Reads on from where the last read ended: fewer bytes than wanted only
    // at the end of the file.
    std::size_t read(Uint8* into, std::size_t wanted);
    // Reads runs of `run` bytes that follow one another in the file from
    // `offset`, each into its place, in one request: at most kMaxRuns of
    // them. False if the file ends first.
    bool readRuns(std::size_t offset, std::size_t run, const std::vector<Uint8*>& places);

private:
    int descriptor;
};

#endif
