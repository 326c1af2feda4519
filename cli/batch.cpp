// SPDX-License-Identifier: Apache-2.0
#include "batch.hpp"

#include "data_input.hpp"
#include "svg_writer.hpp"
#include "symbol_geometry.hpp"

#include "tallowlib/font_text_reader.hpp"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unordered_set>
#include <vector>

namespace Kelbrin::Tarnwick::Cli {

using namespace Kelbrin::Tallowlib;

namespace {

constexpr std::size_t safeDataLimit = 100;     // bytes of data in a %d file name
constexpr std::size_t outputChunk = 1 << 16;  // bytes gathered before a write to stdout

bool isSafeFileNameByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
}

// `text` on one field of a result line: backslash, tab, CR and LF escaped.
void appendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        const char* escape = c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : nullptr;
        if (escape)
            out += escape;
        else
            out += c;
    }
}

// "\rN lines" on a terminal's stderr while a run that has taken over a second goes on, a few
// times a second; wiped at the end.
class progress_line {
public:
    progress_line() : shown_(false), enabled_(isatty(STDERR_FILENO) == 1) {}
    ~progress_line()
    {
        if (shown_)
            std::fputs("\r\033[K", stderr);
    }
    progress_line(const progress_line&) = delete;
    progress_line& operator=(const progress_line&) = delete;

    void update(std::size_t lines)
    {
        if (!enabled_ || lines % 256 != 0)
            return;
        const auto now = clock::now();
        if (now < next_)
            return;
        if (shown_)
            std::fprintf(stderr, "\r%zu lines", lines);
        shown_ = true;  // the first call past the second only arms it
        next_ = now + std::chrono::milliseconds(250);
    }

private:
    using clock = std::chrono::steady_clock;
    clock::time_point next_ = clock::now() + std::chrono::seconds(1);
    bool shown_;
    bool enabled_;
};

class batch_run {
public:
    batch_run(const symbology_name& sym, const options& opt) : sym_(sym), opt_(opt), converter_(opt.rawBytes) {}

    // Every line of `in`; throws output_error when standard output fails.
    int run(std::FILE* in)
    {
        std::size_t number = 0;
        while (readLine(in, input_)) {
            processLine(++number);
            progress_.update(number);
            if (out_.size() >= outputChunk)
                flush();
        }
        flush();
        if (std::fflush(stdout) != 0)
            throw output_error("cannot write to standard output");
        return status_;
    }

private:
    void processLine(std::size_t number)
    {
        appendEscaped(out_, input_);
        out_ += '\t';
        const std::size_t fieldStart = out_.size();
        try {
            encode(number);
        } catch (...) {
            out_.resize(fieldStart);
            refusal r = currentRefusal();
            std::replace(r.message.begin(), r.message.end(), '\r', ' ');
            std::replace(r.message.begin(), r.message.end(), '\n', ' ');
            out_ += "error: ";
            out_ += r.message;
            status_ = std::max(status_, r.status);
        }
        out_ += '\n';
    }

    // Encodes input_, writes its files and appends its result to out_.
    void encode(std::size_t number)
    {
        if (input_.empty())
            throw std::runtime_error("no data to encode");
        const std::string& bytes = converter_.bytesOf(input_);
        encodeFontLines(sym_.value, bytes.c_str(), sym_.stacked ? opt_.segments.value_or(4) : 22, lines_, &human_);
        joinLines(lines_).swap(joined_);
        if (opt_.svgPath || !opt_.png.path.empty())
            writeFiles(number);
        appendEscaped(out_, joined_);
        if (opt_.human) {
            out_ += '\t';
            appendEscaped(out_, human_);
        }
    }

    void writeFiles(std::size_t number)
    {
        const std::string svgName = opt_.svgPath ? claimName(*opt_.svgPath, number) : std::string();
        const std::string pngName = opt_.png.path.empty() ? std::string() : claimName(opt_.png.path, number);
        if (!svgName.empty()) {
            const module_rows rows = readFontText(joined_);
            writeFile(svgName, svgDocument(rows.rows, {rowHeights(sym_.value, rows), quietZoneModules}));
        }
        if (!pngName.empty()) {
            pngMaker_.make(sym_.value, lines_, opt_.png, png_);
            writeFile(pngName, {reinterpret_cast<const char*>(png_.data()), png_.size()});
        }
    }

    // The file name from `pattern` for this line; throws when an earlier line made it.
    std::string claimName(const std::string& pattern, std::size_t number)
    {
        std::string name = expandFileName(pattern, number, input_);
        const std::string key = std::filesystem::path(name).lexically_normal().string();
        if (!names_.insert(key).second)
            throw std::runtime_error("file name " + name + " was made by an earlier line; not overwritten");
        return name;
    }

    void flush()
    {
        if (std::fwrite(out_.data(), 1, out_.size(), stdout) != out_.size())
            throw output_error("cannot write to standard output");
        out_.clear();
    }

    const symbology_name& sym_;
    const options& opt_;
    data_converter converter_;
    Kelbrin::Render::symbol_png_maker pngMaker_;
    progress_line progress_;
    std::string input_;
    std::vector<std::string> lines_;
    std::string human_;
    std::string joined_;
    std::string out_;
    std::vector<std::uint8_t> png_;
    std::unordered_set<std::string> names_;
    int status_ = 0;
};

struct file_closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool fileNameTemplateIsValid(std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i)
        if (name[i] == '%' && (i + 1 == name.size() || std::string_view("nd%").find(name[++i]) == std::string_view::npos))
            return false;
    return true;
}

std::string expandFileName(std::string_view name, std::size_t lineNumber, std::string_view data)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '%' || i + 1 == name.size()) {
            out += name[i];
            continue;
        }
        const char what = name[++i];
        if (what == 'n')
            out += std::to_string(lineNumber);
        else if (what == 'd')
            for (std::size_t k = 0; k < std::min(data.size(), safeDataLimit); ++k)
                out += isSafeFileNameByte(data[k]) && !(k == 0 && data[k] == '.') ? data[k] : '_';
        else
            out += what;
    }
    return out;
}

int runBatch(const symbology_name& sym, const options& opt)
{
    std::unique_ptr<std::FILE, file_closer> file;
    if (*opt.batchInput != standardStream) {
        file.reset(std::fopen(opt.batchInput->c_str(), "rb"));
        if (!file)
            return fail("cannot read " + *opt.batchInput + ": " + std::strerror(errno), usageError);
    }
    std::FILE* in = file ? file.get() : stdin;
    // Every picture of a run takes and frees about the same memory: keep it for the next one
    // rather than give it back to the system and fault it in again, which costs more than
    // making the picture.
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    try {
        batch_run batch(sym, opt);
        const int status = batch.run(in);
        if (std::ferror(in))
            return fail("cannot read " + *opt.batchInput, usageError);
        return status;
    } catch (const output_error& e) {
        return fail(e.what(), outputError);
    } catch (const std::exception& e) {
        return fail(e.what(), badData);
    }
}

}  // namespace Kelbrin::Tarnwick::Cli
