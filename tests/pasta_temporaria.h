// A fresh folder under the temporary one (TMPDIR), removed with this object,
// for a test's files: save.bin, pictures it writes, a stand-in run folder.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

class PastaTemporaria {
public:
    // `entra`: the current folder until the object goes.
    explicit PastaTemporaria(bool entra = true) {
        std::string molde = (std::filesystem::temp_directory_path() / "zepko-teste-XXXXXX").string();
        if (!mkdtemp(molde.data())) throw std::runtime_error("no temporary folder");
        caminho = molde;
        if (entra) {
            anterior_ = std::filesystem::current_path();
            std::filesystem::current_path(caminho);
        }
    }
    ~PastaTemporaria() {
        std::error_code ignorado;
        if (!anterior_.empty()) std::filesystem::current_path(anterior_, ignorado);
        // A test may have taken the write bit away.
        std::filesystem::permissions(caminho, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignorado);
        std::filesystem::remove_all(caminho, ignorado);
    }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    std::filesystem::path caminho;

private:
    std::filesystem::path anterior_;
};
