#include "platform/drop_target.h"

#include "platform/file_drop_rules.h"
#include "platform/windows_api.h"

#include <atomic>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr UINT_PTR subclassId = 0x51D7;

FORMATETC FileListFormat() {
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool OffersFileList(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

HeldKeys KeysOf(DWORD keyState) {
    return {(keyState & MK_CONTROL) != 0, (keyState & MK_SHIFT) != 0};
}

AllowedEffects EffectsOf(DWORD effects) {
    return {(effects & DROPEFFECT_COPY) != 0, (effects & DROPEFFECT_MOVE) != 0,
            (effects & DROPEFFECT_LINK) != 0};
}

DWORD ToDropEffect(DropEffect effect) {
    switch (effect) {
        case DropEffect::None:
            return DROPEFFECT_NONE;
        case DropEffect::Copy:
            return DROPEFFECT_COPY;
        case DropEffect::Move:
            return DROPEFFECT_MOVE;
        case DropEffect::Link:
            return DROPEFFECT_LINK;
    }
    return DROPEFFECT_NONE;
}

std::wstring DroppedFileName(HDROP drop, UINT index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    std::wstring name(length, L'\0');
    if (length > 0)
        DragQueryFileW(drop, index, name.data(), length + 1);
    return name;
}

// The names of the file list on offer, in their order. False when the data yields no file list.
bool ReadFileNames(IDataObject* data, std::vector<std::wstring>& names) {
    FORMATETC format = FileListFormat();
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) != S_OK)
        return false;
    const bool isGlobal = medium.tymed == TYMED_HGLOBAL && medium.hGlobal;
    if (isGlobal) {
        const auto drop = static_cast<HDROP>(medium.hGlobal);
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        // An empty list is counted as one file without a name, which is no file at all.
        for (UINT index = 0; index < count; ++index) {
            std::wstring name = DroppedFileName(drop, index);
            if (!name.empty())
                names.push_back(std::move(name));
        }
    }
    ReleaseStgMedium(&medium);  // frees our copy of the list, never the files it names
    return isGlobal;
}

UINT FilesDroppedMessage() {
    static const UINT message = RegisterWindowMessageW(L"Quillmere.FilesDropped");
    return message;
}

class FileDropTarget final : public IDropTarget {
  public:
    FileDropTarget(HWND window, FilesDropped filesDropped)
        : window_(window), filesDropped_(std::move(filesDropped)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object)
            return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL,
                                        DWORD* effect) override {
        if (!effect)
            return E_INVALIDARG;
        fileListOffered_ = OffersFileList(data);
        *effect = Decide(fileListOffered_, keys, *effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL, DWORD* effect) override {
        if (!effect)
            return E_INVALIDARG;
        *effect = Decide(fileListOffered_, keys, *effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        fileListOffered_ = false;
        return S_OK;
    }
    // Answers E_FAIL whatever happened, so that a source never treats the drop as done with its
    // files (a source that was told "moved" might delete them).
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override {
        AddRef();  // the handler may destroy the window, and with it the binding's reference
        fileListOffered_ = false;
        if (effect) {
            *effect = Decide(OffersFileList(data), keys, *effect);
            if (*effect != DROPEFFECT_NONE)
                Deliver(data);
        }
        Release();
        return E_FAIL;
    }

    // On the window's thread, from its window procedure.
    void RaiseFilesDropped(const std::wstring& text) {
        if (!filesDropped_)
            return;
        try {
            filesDropped_(text);
        } catch (...) {
            // An exception must not unwind through the system's window and OLE frames.
        }
    }

    void Detach() { window_ = nullptr; }

  private:
    ~FileDropTarget() = default;

    static DWORD Decide(bool fileListOffered, DWORD keys, DWORD allowed) {
        return ToDropEffect(ChooseDropEffect(fileListOffered, KeysOf(keys), EffectsOf(allowed)));
    }

    void Deliver(IDataObject* data) {
        std::vector<std::wstring> names;
        if (!ReadFileNames(data, names) || names.empty())
            return;
        const std::wstring text = DroppedText(names);
        // A drop can arrive on another thread (a source in this process that runs its own drag
        // loop); the handler runs on the window's thread all the same, and synchronously.
        if (HWND window = window_) {
            SendMessageW(window, FilesDroppedMessage(), 0, reinterpret_cast<LPARAM>(&text));
        }
    }

    std::atomic<ULONG> references_{1};
    std::atomic<HWND> window_;
    FilesDropped filesDropped_;
    bool fileListOffered_ = false;
};

// Keeps the target for the window's life: revoked when the window goes, the handler run on the
// window's thread.
LRESULT CALLBACK DropTargetSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
    auto* target = reinterpret_cast<FileDropTarget*>(data);
    if (message == FilesDroppedMessage()) {
        target->RaiseFilesDropped(*reinterpret_cast<const std::wstring*>(lParam));
        return 0;
    }
    if (message == WM_DESTROY) {
        target->Detach();
        RevokeDragDrop(window);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, DropTargetSubclass, subclassId);
        target->Release();
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool BindFileDropTarget(WindowHandle window, FilesDropped filesDropped) {
    // OLE refuses a window that has a target already, which keeps a second binding out.
    auto* target = new FileDropTarget(window, std::move(filesDropped));
    if (FAILED(RegisterDragDrop(window, target))) {
        target->Release();
        return false;
    }
    if (!SetWindowSubclass(window, DropTargetSubclass, subclassId,
                           reinterpret_cast<DWORD_PTR>(target))) {
        RevokeDragDrop(window);
        target->Release();
        return false;
    }
    return true;
}

}  // namespace platform
