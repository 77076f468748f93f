// Reading and rewriting the program's own files.
#include "storage/files.h"

#include <cerrno>
#include <cstdio>

std::string ProgramDirectory;
int rewriteStopsBeforeStep = 0;

bool ReadWholeFile(const std::string& path, std::string* text)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::string data;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data.append(chunk, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    if (ok)
        *text = data;
    return ok;
}

bool FileExists(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file) {
        std::fclose(file);
        return true;
    }
    return !FileIsAbsent(path);
}

bool FileIsAbsent(const std::string& path)
{
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file) {
        std::fclose(file);
        return false;
    }
    return errno == ENOENT;
}

static bool StopsHere(int step) { return rewriteStopsBeforeStep == step; }

bool RewriteFile(const std::string& path, const std::string& tempPath, const std::string& text)
{
    if (StopsHere(1))
        return false;
    std::FILE* file = std::fopen(tempPath.c_str(), "wb");
    if (!file)
        return false;
    std::size_t half = text.size() / 2;
    bool ok = true;
    if (StopsHere(2)) {
        std::fclose(file);
        return false;
    }
    ok = std::fwrite(text.data(), 1, half, file) == half;
    if (StopsHere(3)) {
        std::fclose(file);
        return false;
    }
    ok = ok && std::fwrite(text.data() + half, 1, text.size() - half, file) == text.size() - half;
    if (StopsHere(4)) {
        std::fclose(file);
        return false;
    }
    ok = (std::fflush(file) == 0) && ok;
    ok = (std::fclose(file) == 0) && ok;
    if (!ok) {
        std::remove(tempPath.c_str());
        return false;
    }
    if (StopsHere(5))
        return false;
    return ReplaceFileWith(tempPath, path);
}

int RaiseToTileSize(int size)
{
    if (size <= 4)
        return 4;
    if (size <= 8)
        return 8;
    if (size <= 16)
        return 16;
    if (size <= 32)
        return 32;
    if (size <= 48)
        return 48;
    return 64;
}

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string CutShiftJis(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // Walk whole characters from the start: a trail byte can have the value
    // of a lead byte, so the byte at the cut alone does not tell.
    std::size_t end = 0;
    while (end < maxBytes) {
        std::size_t width = IsShiftJisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return text.substr(0, end);
}
