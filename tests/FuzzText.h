// What the fuzz targets share: the input as text and the rule check.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// The fuzzer's bytes as a text with its terminator; freed with the object.
class CFuzzText
{
public:
    CFuzzText(const uint8_t* data, size_t size) : m_text(static_cast<char*>(malloc(size + 1)))
    {
        memcpy(m_text, data, size);
        m_text[size] = '\0';
    }
    ~CFuzzText() { free(m_text); }
    CFuzzText(const CFuzzText&) = delete;
    CFuzzText& operator=(const CFuzzText&) = delete;
    char* Get() const { return m_text; }

private:
    char* m_text;
};

// Stops the run, naming the rule and the text that broke it.
inline void Require(bool holds, const char* rule, const char* text)
{
    if (!holds) {
        fprintf(stderr, "%s: \"%s\"\n", rule, text);
        abort();
    }
}
