#include "base/text_buffer.h"

#include <cstdlib>
#include <cstring>
#include <utility>

TextBuffer::TextBuffer(std::string_view text)
{
    std::memcpy(Reserve(text.size()), text.data(), text.size());
    SetSize(text.size());
}

TextBuffer::TextBuffer(TextBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0))
{
}

TextBuffer& TextBuffer::operator=(TextBuffer&& other) noexcept
{
    if (this != &other) {
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

TextBuffer::~TextBuffer()
{
    std::free(m_data);
}

char* TextBuffer::Reserve(std::size_t capacity)
{
    if (m_data && capacity <= m_capacity)
        return m_data;
    char* grown = capacity < static_cast<std::size_t>(-1) / 2
                      ? static_cast<char*>(std::realloc(m_data, capacity + 1))
                      : nullptr;
    if (!grown)
        std::abort();
    if (!m_data)
        grown[0] = '\0';
    m_data = grown;
    m_capacity = capacity;
    return m_data;
}

void TextBuffer::SetSize(std::size_t size)
{
    if (!m_data)
        Reserve(size);
    m_size = size < m_capacity ? size : m_capacity;
    m_data[m_size] = '\0';
}
