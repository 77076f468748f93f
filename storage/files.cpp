// Reading and rewriting the program's own files.
#include "storage/files.h"

#include <cmath>
#include <cstdlib>

#include <cerrno>
#include <cstdio>

#include "storage/program_directory.h"

const char SettingsFileName[] = "Hanabo.ini";
const char TempFileName[] = "Hanabo.tmp";
const char BackupFileName[] = "Hanabo.bak";

std::string ProgramFilePath(const char* name) { return std::string(ProgramDirectory()) + name; }

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
    if (!file)
        return false;
    char byte;
    // Opening a folder succeeds on some systems; reading it does not.
    bool readable = std::fread(&byte, 1, 1, file) == 1 || !std::ferror(file);
    std::fclose(file);
    return readable;
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

static std::FILE* CreateOnDisk(const std::string& path) { return std::fopen(path.c_str(), "wb"); }

static bool WriteOnDisk(std::FILE* file, const char* bytes, std::size_t size)
{
    return std::fwrite(bytes, 1, size, file) == size;
}

// The flush is asked on its own: a runtime's fclose may not pass on that its
// last bytes met a full disk.
static bool CloseOnDisk(std::FILE* file)
{
    bool flushed = std::fflush(file) == 0;
    return std::fclose(file) == 0 && flushed;
}

static void RemoveFromDisk(const std::string& path) { std::remove(path.c_str()); }

const FileOperations DiskFiles = {CreateOnDisk, WriteOnDisk, CloseOnDisk, RemoveFromDisk, ReplaceFileWith};

RewriteResult WriteTempFile(const std::string& tempPath, const std::string& text, const FileOperations& files)
{
    std::FILE* file = files.create(tempPath);
    if (!file)
        return RewriteResult::TempFileNotCreated;
    bool written = files.write(file, text.data(), text.size());
    // Buffered bytes may meet a full disk only when the file is closed.
    bool closed = files.close(file);
    if (!written || !closed) {
        files.remove(tempPath);
        return RewriteResult::TempFileNotWritten;
    }
    return RewriteResult::NotReplaced;
}

RewriteResult RewriteFile(const std::string& path, const std::string& tempPath, const std::string& text,
                          const FileOperations& files)
{
    RewriteResult written = WriteTempFile(tempPath, text, files);
    if (written != RewriteResult::NotReplaced)
        return written;
    return files.replace(tempPath, path) ? RewriteResult::Rewritten : RewriteResult::NotReplaced;
}

bool NextLine(std::string_view text, std::size_t* pos, std::string_view* line)
{
    if (*pos >= text.size())
        return false;
    std::size_t end = text.find('\n', *pos);
    if (end == std::string_view::npos)
        end = text.size();
    std::size_t cut = end;
    if (cut > *pos && text[cut - 1] == '\r')
        --cut;
    *line = text.substr(*pos, cut - *pos);
    *pos = end + 1;
    return true;
}

std::vector<std::string> SplitLines(const std::string& text, std::size_t maxLines)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    std::string_view line;
    while (lines.size() <= maxLines && NextLine(text, &pos, &line))
        lines.emplace_back(line);
    return lines;
}


double LeadingDecimal(const char* text, bool exponent)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    std::string number;
    for (char c = *text; (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || (exponent && (c == 'e' || c == 'E'));
         c = *++text)
        number += c;
    double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}
