// A host folder as a disc listing, its files as the writer's content source, and a file as its
// byte sink: what the Win32 walker and the image dialog will provide, made of std::filesystem.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "disc/iso_image_writer.h"

namespace velquor::testing {

// Host paths from and to the listing's names, without the locale: UTF-8 on POSIX.
inline std::filesystem::path HostPath(const std::wstring& name) {
#ifdef _WIN32
    return name;
#else
    std::u8string utf8;
    for (wchar_t w : name) {
        const auto c = static_cast<std::uint32_t>(w);
        const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr std::uint32_t kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        utf8 += static_cast<char8_t>(kLead[tail] | c >> (6 * tail));
        for (int i = tail - 1; i >= 0; --i) {
            utf8 += static_cast<char8_t>(0x80 | ((c >> (6 * i)) & 0x3F));
        }
    }
    return utf8;
#endif
}

inline std::wstring HostName(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.filename().wstring();
#else
    std::wstring name;
    const std::u8string utf8 = path.filename().u8string();
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned lead = utf8[i];
        const int tail = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        std::uint32_t c = tail == 0 ? lead : lead & (0x3F >> tail);
        for (int k = 1; k <= tail; ++k) {
            c = c << 6 | (utf8[i + k] & 0x3F);
        }
        name += static_cast<wchar_t>(c);
        i += 1 + tail;
    }
    return name;
#endif
}

inline DiscTimestamp UtcTimestamp(std::filesystem::file_time_type time) {
    const auto sys = std::chrono::file_clock::to_sys(time);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(sys);
    const std::tm utc = *std::gmtime(&seconds);
    return {
        utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, 0};
}

inline void ListHostEntries(const std::filesystem::path& folder, DiscEntry& into) {
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        DiscEntry entry;
        entry.name = HostName(item.path());
        entry.isFolder = item.is_directory();
        entry.size = entry.isFolder ? 0 : item.file_size();
        entry.modified = UtcTimestamp(item.last_write_time());
        if (entry.isFolder) {
            ListHostEntries(item.path(), entry);
        }
        into.children.push_back(std::move(entry));
    }
    std::sort(into.children.begin(), into.children.end(),
              [](const DiscEntry& a, const DiscEntry& b) { return a.name < b.name; });
}

inline DiscListing ListHostFolder(const std::filesystem::path& folder) {
    DiscListing listing;
    listing.root.modified = UtcTimestamp(std::filesystem::last_write_time(folder));
    ListHostEntries(folder, listing.root);
    return listing;
}

class HostFileSource : public FileContentSource {
  public:
    explicit HostFileSource(std::filesystem::path root) : root_(std::move(root)) {}

    std::unique_ptr<FileContentReader> Open(const std::wstring& projectPath) override {
        std::wstring relative = projectPath;
        std::replace(relative.begin(), relative.end(), L'\\', L'/');
        return std::make_unique<Reader>(root_ / HostPath(relative));
    }

  private:
    struct Reader : FileContentReader {
        explicit Reader(const std::filesystem::path& path) : in(path, std::ios::binary) {
            if (!in) {
                throw std::runtime_error("cannot open " + path.string());
            }
        }
        std::size_t Read(std::span<unsigned char> buffer) override {
            in.read(reinterpret_cast<char*>(buffer.data()),
                    static_cast<std::streamsize>(buffer.size()));
            return static_cast<std::size_t>(in.gcount());
        }
        std::ifstream in;
    };
    std::filesystem::path root_;
};

class HostFileSink : public IsoByteSink {
  public:
    explicit HostFileSink(const std::filesystem::path& path) : out_(path, std::ios::binary) {}

    void Write(std::span<const unsigned char> bytes) override {
        out_.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        if (!out_) {
            throw std::runtime_error("cannot write the image");
        }
    }

  private:
    std::ofstream out_;
};

}  // namespace velquor::testing
