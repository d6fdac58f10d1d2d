#include "File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

File::File(const std::string& path) : descriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (descriptor < 0) SDL_SetError("Couldn't open %s", path.c_str());
}

File::~File() {
    if (descriptor >= 0) close(descriptor);
}

long File::length() const {
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    return static_cast<long>(status.st_size);
}

// A file on disk gives what it has in one call, unless a signal comes first.
std::size_t File::read(Uint8* into, std::size_t wanted) {
    ssize_t got;
    do got = ::read(descriptor, into, wanted);
    while (got < 0 && errno == EINTR);
    return static_cast<std::size_t>(std::max<ssize_t>(got, 0));
}

bool File::readRuns(std::size_t offset, std::size_t run, const std::vector<Uint8*>& places) {
    std::vector<iovec> runs;
    for (Uint8* place : places) runs.push_back({place, run});
    ssize_t got;
    do
        got = preadv(descriptor, runs.data(), static_cast<int>(runs.size()),
                     static_cast<off_t>(offset));
    while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(run * places.size());
}
