#pragma once
// Files of calculation sets that no calculation owns: left behind when the
// program stopped between creating a set and committing its row, or between
// committing a deletion and removing the files.
#include <filesystem>
#include <vector>

namespace korva {

class Banco;

// Removes, from the calculation folders of the private database, every table
// file (with its journal and lock companions) whose number no row of
// Processo.DB holds, and the temporary files of creations that never ended.
// Runs while holding the write lock of Processo.DB, so no insertion of
// another workstation is under way; when the lock stays taken (or the
// folder is read-only) nothing is done and the next start tries again.
// Returns the files removed.
std::vector<std::filesystem::path> RemoveOrfaos(Banco& privado);

}  // namespace korva
