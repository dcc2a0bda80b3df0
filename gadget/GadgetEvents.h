#pragma once

class CGadgetApplication;

// The application's event sink: what commands and language changes mean to
// this program.
class CGadgetEvents
{
public:
    CGadgetEvents() : m_host(nullptr) {}
    virtual bool OnLanguageChanged(int language);
    virtual bool OnCommand(int command, int param, bool checked);
    virtual bool OnNotify(int command, int param, const char* target);
    virtual ~CGadgetEvents() {}

    CGadgetApplication* m_host;
};
