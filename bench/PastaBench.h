// A temporary folder for a benchmark's databases, removed at the end.
#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace korva::bench {

struct Pasta {
    std::filesystem::path p;
    Pasta() {
        std::string m = (std::filesystem::temp_directory_path() / "korva-bench-XXXXXX").string();
        p = mkdtemp(m.data());
    }
    ~Pasta() { std::filesystem::remove_all(p); }
};

}  // namespace korva::bench
