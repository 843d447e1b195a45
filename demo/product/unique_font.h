#pragma once

#include <windows.h>

// Owns an HFONT.
class UniqueFont {
public:
    UniqueFont() = default;
    explicit UniqueFont(HFONT font) : font_(font) {}
    ~UniqueFont() { reset(); }

    UniqueFont(const UniqueFont&) = delete;
    UniqueFont& operator=(const UniqueFont&) = delete;

    UniqueFont(UniqueFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    UniqueFont& operator=(UniqueFont&& other) noexcept
    {
        if (this != &other) {
            reset();
            font_ = other.font_;
            other.font_ = nullptr;
        }
        return *this;
    }

    HFONT get() const { return font_; }
    explicit operator bool() const { return font_ != nullptr; }

    void reset(HFONT font = nullptr)
    {
        if (font_)
            DeleteObject(font_);
        font_ = font;
    }

private:
    HFONT font_ = nullptr;
};
