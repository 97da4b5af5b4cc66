#pragma once
// The disk situations every file the program writes must handle the same way, as one table that
// each writer's tests run over (the writer itself given as a function).
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace disk {

namespace fs = std::filesystem;

struct Writer {
    std::string extension; // of the files it writes (".mid")
    // Writes its content to `path`; the error text the window would show when it fails, else empty.
    std::function<std::string(const std::string &path)> write;
};

inline std::string ReadAll(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const fs::path &path, const std::string &bytes) { std::ofstream(path, std::ios::binary) << bytes; }

inline unsigned ModeOf(const fs::path &path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

inline size_t EntriesIn(const fs::path &dir) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// A disk that fills up while the file is written: the process may not write files beyond a few
// bytes, so the write fails part-way as on a full disk (the system says "File too large").
class DiskFullDuring {
public:
    DiskFullDuring() {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = old_;
        tight.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~DiskFullDuring() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
};

struct Case {
    const char *what;
    // Sets the folder up and gives the path to write (`ext` the writer's extension).
    std::function<std::string(const fs::path &dir, const std::string &ext)> prepare;
    // Empty when the write succeeds, else the end of the error text (the system's reason).
    std::string failure;
    // Checks the folder afterwards (the file's expected content given).
    std::function<void(const fs::path &dir, const std::string &ext, const std::string &content)> check;
    bool diskFull = false;
};

inline std::vector<Case> Cases() {
    auto old = [](const fs::path &dir, const std::string &name, unsigned mode) {
        WriteAll(dir / name, "old");
        fs::permissions(dir / name, static_cast<fs::perms>(mode));
        return (dir / name).string();
    };
    return {
        {"a read-only file is refused and keeps its content and mode",
         [old](const fs::path &dir, const std::string &ext) { return old(dir, "ro" + ext, 0444); },
         "The file is read-only.",
         [](const fs::path &dir, const std::string &ext, const std::string &) {
             EXPECT_EQ(ReadAll(dir / ("ro" + ext)), "old");
             EXPECT_EQ(ModeOf(dir / ("ro" + ext)), 0444u);
         }},
        {"a private file stays private",
         [old](const fs::path &dir, const std::string &ext) { return old(dir, "private" + ext, 0600); }, "",
         [](const fs::path &dir, const std::string &ext, const std::string &) {
             EXPECT_EQ(ModeOf(dir / ("private" + ext)), 0600u);
         }},
        {"a shared file keeps its wider mode",
         [old](const fs::path &dir, const std::string &ext) { return old(dir, "shared" + ext, 0664); }, "",
         [](const fs::path &dir, const std::string &ext, const std::string &) {
             EXPECT_EQ(ModeOf(dir / ("shared" + ext)), 0664u);
         }},
        {"a new file gets 0666 less the umask",
         [](const fs::path &dir, const std::string &ext) { return (dir / ("new" + ext)).string(); }, "",
         [](const fs::path &dir, const std::string &ext, const std::string &) {
             EXPECT_EQ(ModeOf(dir / ("new" + ext)), 0644u);
         }},
        {"a symbolic link stays a link and its target is written",
         [](const fs::path &dir, const std::string &ext) {
             fs::create_directory(dir / "real");
             WriteAll(dir / "real" / ("song" + ext), "old");
             fs::create_symlink(fs::path("real") / ("song" + ext), dir / ("link" + ext));
             return (dir / ("link" + ext)).string();
         },
         "",
         [](const fs::path &dir, const std::string &ext, const std::string &content) {
             EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / ("link" + ext))));
             EXPECT_EQ(ReadAll(dir / "real" / ("song" + ext)), content);
             EXPECT_EQ(EntriesIn(dir / "real"), 1u);
         }},
        {"a name of 255 bytes",
         [](const fs::path &dir, const std::string &ext) {
             return (dir / (std::string(255 - ext.size(), 'n') + ext)).string();
         },
         "", [](const fs::path &dir, const std::string &, const std::string &) { EXPECT_EQ(EntriesIn(dir), 1u); }},
        {"temporary files of a killed save are removed, other files stay",
         [](const fs::path &dir, const std::string &ext) {
             WriteAll(dir / ".twsave-a1B2c3", "killed");
             WriteAll(dir / ".twsave-notours", "kept");
             WriteAll(dir / ".song.mid.x", "kept");
             return (dir / ("song" + ext)).string();
         },
         "",
         [](const fs::path &dir, const std::string &, const std::string &) {
             EXPECT_FALSE(fs::exists(dir / ".twsave-a1B2c3"));
             EXPECT_TRUE(fs::exists(dir / ".twsave-notours"));
             EXPECT_TRUE(fs::exists(dir / ".song.mid.x"));
         }},
        {"a missing folder",
         [](const fs::path &dir, const std::string &ext) { return (dir / "no folder" / ("x" + ext)).string(); },
         "No such file or directory",
         [](const fs::path &dir, const std::string &, const std::string &) { EXPECT_EQ(EntriesIn(dir), 0u); }},
        {"a disk that fills up keeps the old file and leaves no temporary file",
         [old](const fs::path &dir, const std::string &ext) { return old(dir, "full" + ext, 0644); }, "File too large",
         [](const fs::path &dir, const std::string &ext, const std::string &) {
             EXPECT_EQ(ReadAll(dir / ("full" + ext)), "old");
             EXPECT_EQ(EntriesIn(dir), 1u);
         },
         true},
    };
}

// Runs every case over `writer` in a fresh folder `dir`. A written file must hold what the writer
// writes to a new file; a failure names the path and ends in the system's reason.
inline void RunDiskSituations(const fs::path &dir, const Writer &writer) {
    const mode_t oldMask = ::umask(022);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string reference = (dir / ("reference" + writer.extension)).string();
    ASSERT_EQ(writer.write(reference), "");
    const std::string content = ReadAll(reference);
    ASSERT_GT(content.size(), 16u); // more than the filling disk takes
    for (const Case &c : Cases()) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string path = c.prepare(dir, writer.extension);
        std::string error;
        if (c.diskFull) {
            DiskFullDuring full;
            error = writer.write(path);
        } else {
            error = writer.write(path);
        }
        if (c.failure.empty()) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(ReadAll(path), content);
        } else {
            EXPECT_NE(error.find(path), std::string::npos) << error;
            EXPECT_TRUE(error.ends_with(c.failure)) << error;
        }
        c.check(dir, writer.extension, content);
    }
    fs::remove_all(dir);
    ::umask(oldMask);
}

} // namespace disk
