#include "gadget/GadgetEvents.h"

#include "dial/Umbrant.h"
#include "gadget/GadgetApplication.h"
#include "gadget/GadgetLink.h"
#include "settings/Strings.h"

// Set by the entry point right after the dial is made.
CUmbrant* g_pGadget = nullptr;

bool CGadgetEvents::OnLanguageChanged(int)
{
    if (!m_host)
        return true;
    // A language switch link is active only for the language not in force.
    for (const std::unique_ptr<CGadgetLink>& link : m_host->m_links) {
        if (link->m_command == CMD_LANGUAGE && FindLanguage(link->m_param))
            link->SetActive(link->m_param != g_languageOffset);
    }
    return true;
}

bool CGadgetEvents::OnCommand(int command, int, bool)
{
    return g_pGadget ? g_pGadget->OnCommand(command) : true;
}

bool CGadgetEvents::OnNotify(int, int, const char*)
{
    return true;
}
