#include "app/current_source_path.h"
#include "app/main_window.h"
#include "platform/drop_target.h"
#include "gui_support.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillmere {
namespace {

// Where OLE keeps the target that RegisterDragDrop bound to a window.
IDropTarget* RegisteredTarget(HWND window) {
    return static_cast<IDropTarget*>(GetPropW(window, L"OleDropTargetInterface"));
}

HGLOBAL GlobalCopy(const void* bytes, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// A file list as the shell puts it on offer: DROPFILES followed by wide names, each ended by a
// null, and one more null after the last.
std::vector<char> FileListBytes(const std::vector<std::wstring>& names) {
    std::wstring packed;
    for (const std::wstring& name : names)
        packed += name + L'\0';
    packed += L'\0';
    if (names.empty())
        packed += L'\0';
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::vector<char> bytes(sizeof header + packed.size() * sizeof(wchar_t));
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + sizeof header, packed.data(), packed.size() * sizeof(wchar_t));
    return bytes;
}

std::vector<char> TextBytes(const char* text) {
    return {text, text + std::strlen(text) + 1};
}

struct Offer {
    CLIPFORMAT format;
    DWORD tymed;  // the media the data is offered in
    std::vector<char> bytes;
};

// A drag source's data: each offer handed out as a fresh global memory copy.
class TestData final : public IDataObject {
  public:
    explicit TestData(std::vector<Offer> offers) : offers_(std::move(offers)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDataObject) {
            *object = static_cast<IDataObject*>(this);
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

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        const Offer* offer = Find(*format);
        if (!offer)
            return DV_E_FORMATETC;
        if (!(offer->tymed & TYMED_HGLOBAL))
            return DV_E_TYMED;  // other media are never given
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalCopy(offer->bytes.data(), offer->bytes.size());
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return Find(*format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> list;
        for (const Offer& offer : offers_) {
            list.push_back({offer.format, nullptr, DVASPECT_CONTENT, -1, offer.tymed});
        }
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), formats);
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    const Offer* Find(const FORMATETC& format) const {
        for (const Offer& offer : offers_) {
            if (offer.format == format.cfFormat && (offer.tymed & format.tymed) &&
                format.dwAspect == DVASPECT_CONTENT) {
                return &offer;
            }
        }
        return nullptr;
    }

    std::atomic<ULONG> references_{1};
    std::vector<Offer> offers_;
};

struct ReleaseCom {
    void operator()(IUnknown* object) const { object->Release(); }
};
using OwnedData = std::unique_ptr<TestData, ReleaseCom>;

OwnedData FileListData(const std::vector<std::wstring>& names) {
    return OwnedData(new TestData({{CF_HDROP, TYMED_HGLOBAL, FileListBytes(names)}}));
}

constexpr POINTL anywhere = {10, 10};
constexpr DWORD allEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

// A window of the test's own with the drop target bound to it, the handler's calls recorded.
class DropTargetTest : public ::testing::Test {
  protected:
    struct Call {
        std::wstring text;
        DWORD thread;
    };

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        window_ = CreateWindowExW(0, WC_LISTVIEWW, L"drop here", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(platform::BindFileDropTarget(window_, [this](std::wstring_view text) {
            calls_.push_back({std::wstring(text), GetCurrentThreadId()});
        }));
        target_ = RegisteredTarget(window_);
        ASSERT_NE(target_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(window_))
            DestroyWindow(window_);
        OleUninitialize();
    }

    DWORD Enter(TestData* data, DWORD keys, DWORD allowed) {
        DWORD effect = allowed;
        EXPECT_EQ(target_->DragEnter(data, keys, anywhere, &effect), S_OK);
        return effect;
    }
    DWORD Over(DWORD keys, DWORD allowed) {
        DWORD effect = allowed;
        EXPECT_EQ(target_->DragOver(keys, anywhere, &effect), S_OK);
        return effect;
    }
    DWORD Drop(TestData* data, DWORD keys, DWORD allowed) {
        DWORD effect = allowed;
        EXPECT_EQ(target_->Drop(data, keys, anywhere, &effect), E_FAIL);
        return effect;
    }

    HWND window_ = nullptr;
    IDropTarget* target_ = nullptr;
    std::vector<Call> calls_;
};

TEST_F(DropTargetTest, AnAcceptedDropDeliversItsFirstFileOnceOnTheWindowsThread) {
    const std::wstring longName = L"C:\\" + std::wstring(300, L'd') + L"\\长名字.dll";
    const struct Case {
        const char* what;
        std::vector<std::wstring> files;
        bool delivered;
    } cases[] = {
        {"one file", {L"C:\\tools\\one.exe"}, true},
        {"three files", {L"C:\\a\\first.dll", L"C:\\b\\second.exe", L"C:\\c\\third.ico"}, true},
        {"a name longer than MAX_PATH", {longName, L"C:\\short.exe"}, true},
        {"a Chinese name", {L"C:\\图标\\程序.exe"}, true},
        {"an empty file list", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        calls_.clear();
        OwnedData data = FileListData(c.files);
        EXPECT_EQ(Enter(data.get(), 0, allEffects), DWORD{DROPEFFECT_COPY});
        EXPECT_EQ(Drop(data.get(), 0, allEffects), DWORD{DROPEFFECT_COPY});
        if (!c.delivered) {
            EXPECT_TRUE(calls_.empty());
            continue;
        }
        ASSERT_EQ(calls_.size(), 1u);
        EXPECT_EQ(calls_[0].text, c.files.front());
        EXPECT_EQ(calls_[0].thread, GetWindowThreadProcessId(window_, nullptr));
    }
}

TEST_F(DropTargetTest, DataWithoutAFileListInGlobalMemoryIsRefused) {
    const auto format = [](const wchar_t* name) {
        return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name));
    };
    const auto fileList = FileListBytes({L"C:\\tools\\one.exe"});
    const struct Case {
        const char* what;
        Offer offer;
    } cases[] = {
        {"plain text", {CF_TEXT, TYMED_HGLOBAL, TextBytes("C:\\tools\\one.exe")}},
        {"a link",
         {format(L"UniformResourceLocator"), TYMED_HGLOBAL, TextBytes("http://a.b/c.exe")}},
        {"HTML", {format(L"HTML Format"), TYMED_HGLOBAL, TextBytes("<a href=x>x</a>")}},
        {"a file list in a stream only", {CF_HDROP, TYMED_ISTREAM, fileList}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OwnedData data(new TestData({c.offer}));
        EXPECT_EQ(Enter(data.get(), 0, allEffects), DWORD{DROPEFFECT_NONE});
        EXPECT_EQ(Over(0, allEffects), DWORD{DROPEFFECT_NONE});
        EXPECT_EQ(Drop(data.get(), 0, allEffects), DWORD{DROPEFFECT_NONE});
        EXPECT_TRUE(calls_.empty());
    }
}

TEST_F(DropTargetTest, EffectFollowsTheKeysAndTheAllowedEffectsOnEnterMoveAndDrop) {
    const struct Case {
        DWORD keys;
        DWORD allowed;
        DWORD expected;
    } cases[] = {
        {MK_LBUTTON, allEffects, DROPEFFECT_COPY},
        {MK_LBUTTON, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
        {MK_LBUTTON, DROPEFFECT_LINK, DROPEFFECT_LINK},
        {MK_LBUTTON, DROPEFFECT_NONE, DROPEFFECT_NONE},
        {MK_LBUTTON, DROPEFFECT_COPY | DROPEFFECT_SCROLL, DROPEFFECT_COPY},
        {MK_RBUTTON | MK_CONTROL, allEffects, DROPEFFECT_COPY},
        {MK_CONTROL, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_NONE},
        {MK_SHIFT, allEffects, DROPEFFECT_MOVE},
        {MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_NONE},
        {MK_CONTROL | MK_SHIFT, allEffects, DROPEFFECT_NONE},
        {MK_ALT, DROPEFFECT_LINK, DROPEFFECT_LINK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "keys " << c.keys << ", allowed " << c.allowed);
        calls_.clear();
        OwnedData data = FileListData({L"C:\\tools\\one.exe"});
        EXPECT_EQ(Enter(data.get(), c.keys, c.allowed), c.expected);
        EXPECT_EQ(Over(c.keys, c.allowed), c.expected);
        EXPECT_EQ(Drop(data.get(), c.keys, c.allowed), c.expected);
        EXPECT_EQ(calls_.size(), c.expected == DROPEFFECT_NONE ? 0u : 1u);
    }
}

TEST_F(DropTargetTest, EachMovementAndTheDropDecideAfreshFromTheKeysThenHeld) {
    OwnedData data = FileListData({L"C:\\tools\\one.exe"});
    EXPECT_EQ(Enter(data.get(), 0, allEffects), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(Over(MK_SHIFT, allEffects), DWORD{DROPEFFECT_MOVE});
    EXPECT_EQ(Over(MK_CONTROL | MK_SHIFT, allEffects), DWORD{DROPEFFECT_NONE});
    EXPECT_EQ(Over(MK_CONTROL, allEffects), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(Drop(data.get(), MK_CONTROL | MK_SHIFT, allEffects), DWORD{DROPEFFECT_NONE});
    EXPECT_TRUE(calls_.empty());
}

TEST_F(DropTargetTest, LeavingForgetsTheOffer) {
    OwnedData data = FileListData({L"C:\\tools\\one.exe"});
    EXPECT_EQ(Enter(data.get(), 0, allEffects), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(target_->DragLeave(), S_OK);
    EXPECT_EQ(Over(0, allEffects), DWORD{DROPEFFECT_NONE});
}

TEST_F(DropTargetTest, ADropArrivingOnAnotherThreadIsHandledOnTheWindowsThread) {
    OwnedData data = FileListData({L"C:\\tools\\one.exe", L"C:\\tools\\two.exe"});
    std::atomic<bool> done = false;
    HRESULT answer = S_OK;
    std::thread source([&] {
        DWORD effect = allEffects;
        target_->DragEnter(data.get(), 0, anywhere, &effect);
        effect = allEffects;
        answer = target_->Drop(data.get(), 0, anywhere, &effect);
        done = true;
    });
    const bool finished = testing::PumpUntil([&] { return done.load(); });
    source.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(answer, E_FAIL);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].text, L"C:\\tools\\one.exe");
    EXPECT_EQ(calls_[0].thread, GetCurrentThreadId());
}

TEST_F(DropTargetTest, ASecondBindingFailsAndTheFirstStays) {
    bool secondCalled = false;
    EXPECT_FALSE(
        platform::BindFileDropTarget(window_, [&](std::wstring_view) { secondCalled = true; }));
    EXPECT_EQ(RegisteredTarget(window_), target_);

    OwnedData data = FileListData({L"C:\\tools\\one.exe"});
    Enter(data.get(), 0, allEffects);
    Drop(data.get(), 0, allEffects);
    EXPECT_EQ(calls_.size(), 1u);
    EXPECT_FALSE(secondCalled);
}

TEST_F(DropTargetTest, DestroyingTheWindowRevokesAndReleasesTheTarget) {
    target_->AddRef();  // as a drag source in the middle of a drag would hold it
    ASSERT_TRUE(DestroyWindow(window_));

    OwnedData data = FileListData({L"C:\\tools\\one.exe"});
    Enter(data.get(), 0, allEffects);
    Drop(data.get(), 0, allEffects);
    EXPECT_TRUE(calls_.empty());
    // OLE and the binding have let go: the last reference is ours.
    EXPECT_EQ(target_->Release(), 0u);
}

TEST_F(DropTargetTest, AWindowThatAlreadyHasATargetIsLeftAsItWas) {
    HWND other = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_EQ(RegisterDragDrop(other, target_), S_OK);
    EXPECT_FALSE(platform::BindFileDropTarget(other, nullptr));
    EXPECT_EQ(RegisteredTarget(other), target_);
    // The refused binding left nothing behind: once the window is free it can be bound.
    ASSERT_EQ(RevokeDragDrop(other), S_OK);
    EXPECT_TRUE(platform::BindFileDropTarget(other, nullptr));
    EXPECT_NE(RegisteredTarget(other), nullptr);
    DestroyWindow(other);
}

// The real main window: the icon list, and nothing else, takes file drops.
TEST(MainWindowDropTarget, OnlyTheIconListIsBound) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(BuildMainWindow());
    OnMainWindowCreated();
    const MainWindowControls& w = MainWindow();
    EXPECT_NE(RegisteredTarget(w.超级列表框1), nullptr);
    for (HWND other : {w.窗口, w.按钮1, w.按钮2, w.按钮3, w.组合框1, w.按钮4, w.按钮5, w.标签1}) {
        EXPECT_EQ(RegisteredTarget(other), nullptr);
    }
    EXPECT_FALSE(platform::BindFileDropTarget(w.超级列表框1, nullptr));
    DestroyWindow(w.窗口);
    OleUninitialize();
}

}  // namespace
}  // namespace quillmere
namespace quillmere {
namespace {

// A drag source that lets go once the drag loop has seen the cursor at the point to drop on.
// Wine's drag loop takes the cursor from the position of the message it handles, which can be an
// older message's; dropping at once could land where the cursor was before.
class DropSourceAt final : public IDropSource {
  public:
    explicit DropSourceAt(POINT point) : point_(point) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape || std::chrono::steady_clock::now() > deadline_)
            return DRAGDROP_S_CANCEL;
        const DWORD at = GetMessagePos();
        const bool there = GET_X_LPARAM(at) == point_.x && GET_Y_LPARAM(at) == point_.y;
        return there ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  private:
    POINT point_;
    std::chrono::steady_clock::time_point deadline_ =
        std::chrono::steady_clock::now() + std::chrono::seconds(20);
};

// Brings the window's top-level window to the front and moves the cursor over the given point of
// the window. The point on the screen once the system finds the window under the cursor.
std::optional<POINT> MoveCursorOver(HWND window, POINT inWindow) {
    SetWindowPos(GetAncestor(window, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ClientToScreen(window, &inWindow);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(inWindow.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    move.mi.dy = MulDiv(inWindow.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    const bool over = testing::PumpUntil([&] {
        POINT cursor;
        return GetCursorPos(&cursor) && cursor.x == inWindow.x && cursor.y == inWindow.y &&
               WindowFromPoint(cursor) == window;
    });
    if (!over)
        return std::nullopt;
    return inWindow;
}

POINT CentreOf(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right / 2, client.bottom / 2};
}

struct DragResult {
    HRESULT answer;
    DWORD effect;
};

// Drags a file list from a source in this thread and drops it at the point on the screen.
DragResult DragFilesTo(POINT point, const std::vector<std::wstring>& files) {
    OwnedData data = FileListData(files);
    DropSourceAt source(point);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT answer = DoDragDrop(data.get(), &source, allEffects, &effect);
    return {answer, effect};
}

TEST_F(DropTargetTest, AWholeDragFromASourceReachesTheHandlerOnce) {
    SetWindowPos(window_, nullptr, 300, 200, 200, 200, SWP_NOZORDER);
    const std::optional<POINT> point = MoveCursorOver(window_, CentreOf(window_));
    ASSERT_TRUE(point);
    const DragResult result = DragFilesTo(*point, {L"C:\\tools\\one.exe", L"C:\\tools\\two.exe"});
    // The failure answered by the target comes back to the source, with the effect it showed.
    EXPECT_EQ(result.answer, E_FAIL);
    EXPECT_EQ(result.effect, DWORD{DROPEFFECT_COPY});
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].text, L"C:\\tools\\one.exe");
}

// The real main window: files dragged over the icon list are taken, anywhere else refused.
TEST(MainWindowDropTarget, TheIconListTakesFilesAndTheRestOfTheWindowRefusesThem) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(BuildMainWindow());
    OnMainWindowCreated();
    ShowMainWindow();
    const MainWindowControls& w = MainWindow();
    const struct Case {
        const char* what;
        HWND window;
        POINT at;
        DWORD expected;
    } cases[] = {
        {"button", w.按钮1, CentreOf(w.按钮1), DROPEFFECT_NONE},
        {"icon list", w.超级列表框1, CentreOf(w.超级列表框1), DROPEFFECT_COPY},
        {"bare frame", w.窗口, {375, 285}, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<POINT> point = MoveCursorOver(c.window, c.at);
        ASSERT_TRUE(point);
        EXPECT_EQ(DragFilesTo(*point, {L"C:\\tools\\one.exe"}).effect, c.expected);
    }
    DestroyWindow(w.窗口);
    OleUninitialize();
}

// A module dragged onto the real icon list becomes the current source and is listed; the open
// dialog keeps the name confirmed in it.
TEST(MainWindowDropTarget, ADroppedModuleIsListedAndTheOpenDialogKeepsItsName) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(BuildMainWindow());
    OnMainWindowCreated();
    ShowMainWindow();
    通用对话框1().Change(
        [](platform::FileDialogSettings& settings) { settings.fileName = L"C:\\a.exe"; });
    wchar_t module[MAX_PATH] = {};
    GetFullPathNameW((std::filesystem::path(QUILLMERE_FIXTURE_DIR) / "groups64.dll").c_str(),
                     MAX_PATH, module, nullptr);
    HWND list = MainWindow().超级列表框1;
    const std::optional<POINT> point = MoveCursorOver(list, CentreOf(list));
    ASSERT_TRUE(point);
    const DragResult result = DragFilesTo(*point, {module, L"C:\\tools\\second.exe"});
    EXPECT_EQ(result.effect, DWORD{DROPEFFECT_COPY});
    EXPECT_TRUE(
        testing::PumpUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 12; }));
    EXPECT_EQ(CurrentSourcePath(), std::filesystem::path(module));
    EXPECT_EQ(通用对话框1().Settings().fileName, L"C:\\a.exe");
    DestroyWindow(MainWindow().窗口);
    OleUninitialize();
}

}  // namespace
}  // namespace quillmere
