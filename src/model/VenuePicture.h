#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace polvane {

// A captioned image of the venue, held as the raw bytes of its image file.
class VenuePicture {
public:
    VenuePicture() = default;
    VenuePicture(const VenuePicture&) = delete;
    VenuePicture& operator=(const VenuePicture&) = delete;

    // UTF-8.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    const std::vector<unsigned char>& BinaryData() const { return data_; }
    void SetBinaryData(std::vector<unsigned char> data) { data_ = std::move(data); }

    // Takes the whole content of the file, read as binary. Throws std::runtime_error naming
    // the path when the file cannot be read; the picture then keeps its former bytes.
    void LoadFromFile(const std::filesystem::path& path);

private:
    std::string caption_;
    std::vector<unsigned char> data_;
};

} // namespace polvane
