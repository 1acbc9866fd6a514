#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes. Tests never write anywhere else.
#include <string>

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder's path, without a trailing separator.
    const std::string& path() const { return m_path; }
    // The path of an entry inside the folder.
    std::string file(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};
