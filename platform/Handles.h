// Guards that each own one Windows handle and release it.
#pragma once

// Guards that own one Windows handle each and release it when they go: a
// kernel object, a GDI object selected into a device context, a created GDI
// object, a window's device context, a memory device context, a bitmap in a
// memory device context of its own, COM on this thread, a COM interface, a
// registry key and a started process with its thread.

#include <windows.h>

#include <objbase.h>

// A kernel object handle (a mutex, a process, a file) that this guard
// closes. The failure value of the calls that open files,
// INVALID_HANDLE_VALUE, counts as no handle, as null does.
class CKernelHandle
{
public:
    explicit CKernelHandle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) { }
    ~CKernelHandle()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }
    CKernelHandle(const CKernelHandle&) = delete;
    CKernelHandle& operator=(const CKernelHandle&) = delete;

    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Selects object into dc for the guard's lifetime and puts the previous
// object back at the end. A null object selects nothing.
class CSelectedObject
{
public:
    CSelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? SelectObject(dc, object) : nullptr) { }
    ~CSelectedObject()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A pen, brush, font or bitmap that this guard made and deletes.
template <typename Handle> class CGdiObject
{
public:
    explicit CGdiObject(Handle handle = nullptr) : m_handle(handle) { }
    ~CGdiObject() { Reset(nullptr); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    Handle Get() const { return m_handle; }
    // Gives the object away: the caller deletes it, the guard holds none.
    Handle Detach()
    {
        const Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    // Deletes the object held and takes handle instead.
    void Reset(Handle handle)
    {
        if (m_handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle;
};

// A window's device context (the screen's for a null window), released at the end.
class CWindowDC
{
public:
    explicit CWindowDC(HWND window) : m_window(window), m_dc(::GetDC(window)) { }
    ~CWindowDC()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// A memory device context compatible with a reference one, deleted at the end.
class CMemoryDC
{
public:
    explicit CMemoryDC(HDC referenceDC) : m_dc(CreateCompatibleDC(referenceDC)) { }
    ~CMemoryDC()
    {
        if (m_dc)
            DeleteDC(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// A bitmap this object owns, selected into a memory device context of its
// own for as long as both live. The context is null when either could not
// be had, so that nothing draws from an empty one.
class CMemoryBitmap
{
public:
    CMemoryBitmap(HDC referenceDC, HBITMAP bitmap)
        : m_dc(referenceDC), m_bitmap(bitmap), m_selected(m_dc.Get(), m_dc.Get() ? bitmap : nullptr)
    { }
    CMemoryBitmap(const CMemoryBitmap&) = delete;
    CMemoryBitmap& operator=(const CMemoryBitmap&) = delete;

    HDC GetDC() const { return m_bitmap.Get() ? m_dc.Get() : nullptr; }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }

private:
    // Released in the reverse order: the bitmap is put out of the context
    // before it is deleted, and the context goes last.
    CMemoryDC m_dc;
    CGdiObject<HBITMAP> m_bitmap;
    CSelectedObject m_selected;
};

// COM for this thread while the guard lives, when it could be started.
class CComInitialisation
{
public:
    CComInitialisation() : m_result(CoInitialize(nullptr)) { }
    ~CComInitialisation()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    CComInitialisation(const CComInitialisation&) = delete;
    CComInitialisation& operator=(const CComInitialisation&) = delete;

private:
    HRESULT m_result;
};

// One reference to a COM interface, released at the end.
template <typename Interface> class CComReference
{
public:
    CComReference() = default;
    ~CComReference()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    CComReference(const CComReference&) = delete;
    CComReference& operator=(const CComReference&) = delete;

    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    // Where a creating call stores the new reference.
    void** Out() { return reinterpret_cast<void**>(&m_pointer); }

private:
    Interface* m_pointer = nullptr;
};

// An open registry key that this guard closes.
class CRegistryKey
{
public:
    explicit CRegistryKey(HKEY key) : m_key(key) { }
    ~CRegistryKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    HKEY Get() const { return m_key; }

private:
    HKEY m_key;
};

// The process and first-thread handles that starting a process gives, both
// closed at the end; the process itself runs on.
class CProcessHandles
{
public:
    CProcessHandles() : m_info() { }
    ~CProcessHandles()
    {
        if (m_info.hThread)
            CloseHandle(m_info.hThread);
        if (m_info.hProcess)
            CloseHandle(m_info.hProcess);
    }
    CProcessHandles(const CProcessHandles&) = delete;
    CProcessHandles& operator=(const CProcessHandles&) = delete;

    // Where CreateProcess stores the handles.
    PROCESS_INFORMATION* Out() { return &m_info; }

private:
    PROCESS_INFORMATION m_info;
};
