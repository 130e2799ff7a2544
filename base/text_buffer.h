#pragma once

#include <cstddef>
#include <string_view>

// A growable, zero-terminated 8-bit text that owns its bytes: the one string
// type of the model and the framework. Nothing throws; running out of memory
// ends the program, as it would anywhere else in it.
class TextBuffer {
public:
    TextBuffer() = default;
    TextBuffer(std::string_view text);
    TextBuffer(const char* text) : TextBuffer(std::string_view(text ? text : "")) {}
    TextBuffer(TextBuffer&& other) noexcept;
    TextBuffer& operator=(TextBuffer&& other) noexcept;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;
    ~TextBuffer();

    // Room for at least capacity characters and the terminator, keeping the
    // text; fill it, then say how much is text with SetSize.
    char* Reserve(std::size_t capacity);
    void SetSize(std::size_t size);

    const char* c_str() const { return m_data ? m_data : ""; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::string_view view() const { return {c_str(), m_size}; }

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
