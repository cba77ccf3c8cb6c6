#include "skin/dialogs/kvSkinFileListView.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <numeric>

#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/DibSection.h"
#include "framework/Handles.h"
#include "skin/controls/SkinControlFit.h"
#include "skin/data/kvSkinData.h"

namespace {

// The wait cursor for as long as a listing runs.
class WaitCursor {
public:
    WaitCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(old_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR old_;
};

std::wstring sizeText(std::uint64_t bytes) {
    const std::uint64_t kb = (bytes + 1023) / 1024;
    return std::to_wstring(kb) + L" KB";
}

std::wstring timeText(std::int64_t localTicks) {
    FILETIME ft{static_cast<DWORD>(localTicks), static_cast<DWORD>(static_cast<std::uint64_t>(localTicks) >> 32)};
    SYSTEMTIME st{};
    if (!localTicks || !FileTimeToSystemTime(&ft, &st)) return {};
    wchar_t date[64] = {}, time[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 64);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, time, 64);
    return std::wstring(date) + L" " + time;
}

std::wstring typeName(const std::wstring& fileName, bool folder) {
    SHFILEINFOW info{};
    SHGetFileInfoW(fileName.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES);
    return info.szTypeName;
}

int charWidth(HWND window) {
    fw::WindowDC dc(window);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    fw::SelectGuard select(dc.get(), font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), L"X", 1, &size);
    return size.cx > 0 ? size.cx : 7;
}

}  // namespace

TkvSkinFileListView::TkvSkinFileListView(fw::Component* owner) : fw::WindowedControl(owner) { setTabStop(true); }

TkvSkinFileListView::~TkvSkinFileListView() = default;

void TkvSkinFileListView::createParams(CreateParams& p) {
    fw::WindowedControl::createParams(p);
    p.className = WC_LISTVIEWW;
    p.platformClass = true;
    p.style |= WS_TABSTOP | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_EDITLABELS | LVS_SHAREIMAGELISTS |
               LVS_LIST | (multiSelect_ ? 0 : LVS_SINGLESEL);
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TkvSkinFileListView::windowCreated() {
    ListView_SetImageList(handle(), SystemImageList(true), LVSIL_NORMAL);
    ListView_SetImageList(handle(), SystemImageList(false), LVSIL_SMALL);
    ApplyViewStyle();
    ListView_SetItemCountEx(handle(), items_.size(), LVSICF_NOSCROLL);
}

void TkvSkinFileListView::SetSkinData(TkvSkinData* d) {
    skinData_.Set(d);
    if (handleAllocated()) InvalidateRect(ListView_GetHeader(handle()), nullptr, TRUE);
}

void TkvSkinFileListView::SetMultiSelection(bool v) {
    multiSelect_ = v;
    if (!handleAllocated()) return;
    LONG_PTR style = GetWindowLongPtrW(handle(), GWL_STYLE);
    style = v ? (style & ~LONG_PTR(LVS_SINGLESEL)) : (style | LVS_SINGLESEL);
    SetWindowLongPtrW(handle(), GWL_STYLE, style);
}

// ---- Folder ----------------------------------------------------------------------------------------------------

void TkvSkinFileListView::OpenFolder(std::unique_ptr<TkvShellFolder> folder) {
    if (!folder) return;
    folder_ = std::move(folder);
    columns_.clear();
    ListItems(-1);
    if (OnFolderChange) OnFolderChange(this);
}

void TkvSkinFileListView::SetPath(const std::wstring& path) { OpenFolder(TkvShellFolder::FromPath(path)); }

std::wstring TkvSkinFileListView::FolderPath() const { return folder_ ? folder_->PathName() : std::wstring(); }

void TkvSkinFileListView::GoUp() {
    if (!folder_ || ILIsEmpty(folder_->AbsoluteID())) return;
    Pidl parent = ClonePidl(folder_->AbsoluteID());
    ILRemoveLastID(parent.get());
    OpenFolder(TkvShellFolder::FromAbsolute(parent.get()));
}

void TkvSkinFileListView::Refresh() { ListItems(SelectedIndex()); }

void TkvSkinFileListView::SetMask(const std::wstring& mask) {
    mask_ = mask;
    if (folder_) ListItems(-1);
}

void TkvSkinFileListView::ListItems(int keepIndex) {
    WaitCursor wait;
    TShellObjectTypes kinds = otFolders | otNonFolders | (ShowHiddenFiles ? otHidden : 0);
    IShellFolder* shell = folder_ ? folder_->ShellFolder() : nullptr;
    const std::wstring mask = mask_;
    items_ = ListShellFolder(shell, kinds, handleAllocated() ? handle() : nullptr,
                             [&mask](bool folder, const std::wstring& name) {
                                 return KeepInListing(folder, name, mask);
                             });
    cache_.assign(items_.size(), RowCache{});
    detailsRead_ = false;
    sort_ = SortState{};
    if (columns_.empty()) BuildColumns();
    if (!handleAllocated()) return;
    ListView_SetItemState(handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(handle(), items_.size(), 0);
    if (viewStyle_ == vsReport) ApplyViewStyle();
    if (keepIndex >= 0 && keepIndex < ItemCount()) SelectItem(keepIndex);
    InvalidateRect(handle(), nullptr, TRUE);
}

std::wstring TkvSkinFileListView::ItemPath(int i) const {
    if (!folder_ || i < 0 || i >= ItemCount()) return {};
    return ShellDisplayName(folder_->ShellFolder(), Item(i).relative.get(), SHGDN_FORPARSING);
}

std::unique_ptr<TkvShellFolder> TkvSkinFileListView::ItemObject(int i) const {
    if (!folder_ || i < 0 || i >= ItemCount()) return nullptr;
    IShellFolder* shell = folder_->ShellFolder();
    if (shell) shell->AddRef();
    return std::make_unique<TkvShellFolder>(folder_.get(), fw::ComPtr<IShellFolder>(shell),
                                            ClonePidl(Item(i).relative.get()),
                                            CombinePidl(folder_->AbsoluteID(), Item(i).relative.get()));
}

int TkvSkinFileListView::SelectedIndex() {
    return handleAllocated() ? ListView_GetNextItem(handle(), -1, LVNI_SELECTED) : -1;
}

std::vector<int> TkvSkinFileListView::SelectedIndexes() {
    std::vector<int> out;
    if (!handleAllocated()) return out;
    for (int i = ListView_GetNextItem(handle(), -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(handle(), i, LVNI_SELECTED))
        out.push_back(i);
    return out;
}

void TkvSkinFileListView::SelectItem(int i) {
    if (!handleAllocated()) return;
    ListView_SetItemState(handle(), -1, 0, LVIS_SELECTED);
    if (i < 0 || i >= ItemCount()) return;
    ListView_SetItemState(handle(), i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(handle(), i, FALSE);
}

int TkvSkinFileListView::IndexOfName(const std::wstring& name) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (CompareNoCase(Item(i).name, name) == 0) return i;
    return -1;
}

void TkvSkinFileListView::EditCaption(int i) {
    if (!handleAllocated() || i < 0) return;
    SetFocus(handle());
    ListView_EditLabel(handle(), i);
}

// ---- Looks -----------------------------------------------------------------------------------------------------

void TkvSkinFileListView::SetViewStyle(TkvViewStyle v) {
    viewStyle_ = v;
    ApplyViewStyle();
}

void TkvSkinFileListView::ApplyViewStyle() {
    if (!handleAllocated()) return;
    static const DWORD views[] = {LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS};
    static const LONG_PTR styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG_PTR style = GetWindowLongPtrW(handle(), GWL_STYLE);
    SetWindowLongPtrW(handle(), GWL_STYLE, (style & ~LONG_PTR(LVS_TYPEMASK)) | styles[viewStyle_]);
    ListView_SetView(handle(), views[viewStyle_]);
    // A fixed column width in the list view: left to itself the list view measures every item's text for it,
    // which asks for all names of a big folder before it can draw one row.
    if (viewStyle_ == vsList) ListView_SetColumnWidth(handle(), 0, 25 * charWidth(handle()));
    if (viewStyle_ != vsReport) return;
    // The details view: the columns of the current folder.
    while (ListView_DeleteColumn(handle(), 0)) {}
    const int x = charWidth(handle());
    for (size_t c = 0; c < columns_.size(); ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = columns_[c].format;
        col.cx = columns_[c].width * x;
        col.pszText = const_cast<wchar_t*>(columns_[c].caption.c_str());
        ListView_InsertColumn(handle(), static_cast<int>(c), &col);
    }
}

void TkvSkinFileListView::BuildColumns() {
    columns_.clear();
    IShellFolder* shell = folder_ ? folder_->ShellFolder() : nullptr;
    fw::ComPtr<IShellFolder2> shell2;
    if (shell) shell->QueryInterface(IID_IShellFolder2, shell2.putVoid());
    if (shell2) {
        // The shell's own columns, up to the first one it does not show by default.
        for (UINT c = 0; c < 64; ++c) {
            SHCOLSTATEF state = 0;
            SHELLDETAILS d{};
            if (FAILED(shell2->GetDetailsOf(nullptr, c, &d))) break;
            if (SUCCEEDED(shell2->GetDefaultColumnState(c, &state)) && !(state & SHCOLSTATE_ONBYDEFAULT)) break;
            FileListColumn col;
            col.caption = StrRetText(d.str, nullptr);
            // Captions are unique: a repeated one ends the set.
            if (std::any_of(columns_.begin(), columns_.end(),
                            [&](const FileListColumn& o) { return o.caption == col.caption; }))
                break;
            col.width = d.cxChar > 0 ? d.cxChar : 10;
            col.format = d.fmt == LVCFMT_RIGHT ? LVCFMT_RIGHT : d.fmt == LVCFMT_CENTER ? LVCFMT_CENTER : LVCFMT_LEFT;
            col.shellColumn = static_cast<int>(c);
            columns_.push_back(std::move(col));
        }
        if (!columns_.empty()) return;
    }
    columns_.push_back({FallbackCaptions[0], 25, LVCFMT_LEFT, -1});
    if (folder_ && (folder_->IsFileSystem() || !folder_->PathName().empty())) {
        columns_.push_back({FallbackCaptions[1], 10, LVCFMT_RIGHT, -1});
        columns_.push_back({FallbackCaptions[2], 10, LVCFMT_LEFT, -1});
        columns_.push_back({FallbackCaptions[3], 14, LVCFMT_LEFT, -1});
    }
}

std::wstring TkvSkinFileListView::DetailText(int index, int column) {
    const ShellItem& item = items_[static_cast<size_t>(index)];
    const FileListColumn& col = columns_[static_cast<size_t>(column)];
    if (col.shellColumn >= 0) {
        fw::ComPtr<IShellFolder2> shell2;
        if (IShellFolder* shell = folder_->ShellFolder()) shell->QueryInterface(IID_IShellFolder2, shell2.putVoid());
        SHELLDETAILS d{};
        // A detail the shell cannot give is shown empty: an error box from inside painting would come back
        // with every repaint.
        if (!shell2 || FAILED(shell2->GetDetailsOf(item.relative.get(), static_cast<UINT>(col.shellColumn), &d)))
            return {};
        return StrRetText(d.str, item.relative.get());
    }
    if (column == 0) return cache_[static_cast<size_t>(index)].display;
    ShellItem& mutableItem = items_[static_cast<size_t>(index)];
    if (!detailsRead_ && mutableItem.modified == 0) ReadFindData(folder_->ShellFolder(), mutableItem);
    switch (column) {
        case 1: return item.folder ? std::wstring() : sizeText(item.size);
        case 2: return typeName(item.name, item.folder);
        case 3: return timeText(item.modified);
        default: return {};
    }
}

void TkvSkinFileListView::FillDisplayInfo(LVITEMW& lv) {
    if (lv.iItem < 0 || lv.iItem >= ItemCount() || !folder_) return;
    RowCache& row = cache_[static_cast<size_t>(lv.iItem)];
    const ShellItem& item = items_[static_cast<size_t>(lv.iItem)];
    if (row.display.empty())
        row.display = ShellDisplayName(folder_->ShellFolder(), item.relative.get(), SHGDN_INFOLDER);
    if (lv.mask & LVIF_TEXT) {
        detailBuffer_ = lv.iSubItem == 0 || lv.iSubItem >= static_cast<int>(columns_.size())
                            ? row.display
                            : DetailText(lv.iItem, lv.iSubItem);
        lv.pszText = detailBuffer_.data();
    }
    if (lv.mask & LVIF_IMAGE) {
        const bool large = viewStyle_ == vsIcon;
        int& icon = large ? row.largeIcon : row.smallIcon;
        if (icon == -2) {
            Pidl absolute = CombinePidl(folder_->AbsoluteID(), item.relative.get());
            icon = ShellImageIndex(absolute.get(), large);
        }
        lv.iImage = icon;
    }
}

void TkvSkinFileListView::SortByColumn(int column) {
    if (column < 0 || column >= static_cast<int>(columns_.size()) || !folder_) return;
    sort_ = ClickColumn(sort_, column);
    IShellFolder* shell = folder_->ShellFolder();
    const bool ourOrders = column < 4 && (columns_[static_cast<size_t>(column)].shellColumn < 0 ||
                                          columns_[static_cast<size_t>(column)].shellColumn == column);
    std::vector<FileSortKey> keys(items_.size());
    if (ourOrders) {
        for (size_t i = 0; i < items_.size(); ++i) {
            if (!detailsRead_ && column != 0) ReadFindData(shell, items_[i]);
            keys[i] = {items_[i].folder, items_[i].name, items_[i].size,
                       column == 2 ? typeName(items_[i].name, items_[i].folder) : std::wstring(), items_[i].modified};
        }
        if (column != 0) detailsRead_ = true;
    }
    std::vector<size_t> order(items_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const SortState s = sort_;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (ourOrders) return CompareFiles(keys[a], keys[b], static_cast<FileColumn>(column), s.ascending) < 0;
        if (items_[a].folder != items_[b].folder) return items_[a].folder;
        const HRESULT r = shell->CompareIDs(static_cast<LPARAM>(columns_[static_cast<size_t>(column)].shellColumn),
                                            items_[a].relative.get(), items_[b].relative.get());
        const short c = static_cast<short>(HRESULT_CODE(r));
        return s.ascending ? c < 0 : c > 0;
    });
    // The selection and the focus belong to files, not to row numbers: they move with their items.
    std::vector<int> selected;
    int focused = -1;
    if (handleAllocated()) {
        selected = SelectedIndexes();
        focused = ListView_GetNextItem(handle(), -1, LVNI_FOCUSED);
    }
    std::vector<int> newIndex(items_.size());
    std::vector<ShellItem> sorted;
    sorted.reserve(items_.size());
    for (size_t k = 0; k < order.size(); ++k) {
        newIndex[order[k]] = static_cast<int>(k);
        sorted.push_back(std::move(items_[order[k]]));
    }
    items_ = std::move(sorted);
    cache_.assign(items_.size(), RowCache{});
    if (!handleAllocated()) return;
    ListView_SetItemState(handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int i : selected)
        ListView_SetItemState(handle(), newIndex[static_cast<size_t>(i)], LVIS_SELECTED, LVIS_SELECTED);
    if (focused >= 0) {
        const int f = newIndex[static_cast<size_t>(focused)];
        ListView_SetItemState(handle(), f, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(handle(), f, FALSE);
    }
    InvalidateRect(handle(), nullptr, TRUE);
}

// ---- Header sections -------------------------------------------------------------------------------------------

LRESULT TkvSkinFileListView::DrawHeaderSection(NMCUSTOMDRAW* cd) {
    if (cd->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd->dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const fw::Rect r{cd->rc.left, cd->rc.top, cd->rc.right, cd->rc.bottom};
    if (r.empty()) return CDRF_SKIPDEFAULT;
    const bool pressed = (cd->uItemState & CDIS_SELECTED) != 0, hot = (cd->uItemState & CDIS_HOT) != 0;
    const int column = static_cast<int>(cd->dwItemSpec);
    fw::DibSection image(r.width(), r.height());
    fw::Color textColour = GetSysColor(COLOR_BTNTEXT);
    const TkvDataSkinButtonControl* d = nullptr;
    TkvSkinFitData fit;
    TkvSkinFitPictures pictures;
    if (skinData_ && !skinData_->Empty()) {
        const int index = skinData_->GetControlIndex(HeaderSkinDataName);
        d = skinData_->ControlAs<TkvDataSkinButtonControl>(index);
        if (d) pictures = FetchFitData(fit, *skinData_, index);
    }
    if (d && pictures.picture && !d->SkinRect.empty()) {
        // Pressed: the down image, else the active one, else the normal one; the hot state has none of its own.
        fw::Rect source = d->SkinRect;
        if (pressed)
            source = !d->DownSkinRect.empty()     ? d->DownSkinRect
                     : !d->ActiveSkinRect.empty() ? d->ActiveSkinRect
                                                  : d->SkinRect;
        // With a left-bottom point the image is composed to the section's height, else at the skin's height and
        // stretched.
        int w = r.width(), h = d->LeftBottomPoint.y > 0 ? r.height() : d->SkinRect.height();
        fit.CalcSkinSize(true, w, h);
        fw::Bitmap composed;
        ComposeControlImage(composed, pictures.picture->view(), source, fit, w, h, false);
        if (!composed.rect().empty())
            fw::stretchPixels(image.canvas().handle(), fw::Rect{0, 0, r.width(), r.height()}, composed.view(),
                              composed.rect());
        textColour = pressed ? d->DownFontColor : d->FontColor;
    } else {
        // The default look of pressable parts: navy frame when pressed or hot, else a shadow frame on button face.
        fw::Canvas& c = image.canvas();
        c.setBrushColor(pressed || hot ? fw::Color(0x800000) : fw::Color(GetSysColor(COLOR_BTNSHADOW)));
        c.fillRect({0, 0, r.width(), r.height()});
        c.setBrushColor(pressed ? fw::Color(0xB59385)
                        : hot   ? fw::Color(0xD2BDB6)
                                : fw::Color(GetSysColor(COLOR_BTNFACE)));
        c.fillRect({1, 1, r.width() - 1, r.height() - 1});
    }
    wchar_t caption[260] = {};
    HDITEMW hd{};
    hd.mask = HDI_TEXT | HDI_FORMAT;
    hd.pszText = caption;
    hd.cchTextMax = 260;
    Header_GetItem(cd->hdr.hwndFrom, column, &hd);
    {
        HDC dc = image.canvas().handle();
        fw::SelectGuard font(dc, reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fw::resolveColor(textColour));
        RECT tr{5, 0, r.width() - 5, r.height()};
        const UINT align = (hd.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                           : (hd.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                      : DT_LEFT;
        DrawTextW(dc, caption, -1, &tr, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    BitBlt(cd->hdc, r.left, r.top, r.width(), r.height(), image.canvas().handle(), 0, 0, SRCCOPY);
    return CDRF_SKIPDEFAULT;
}

// ---- Input -----------------------------------------------------------------------------------------------------

bool TkvSkinFileListView::wantsKey(WPARAM key) const { return key == VK_RETURN || key == VK_BACK; }

void TkvSkinFileListView::OpenItem(int index) {
    if (index < 0 || index >= ItemCount()) return;
    if (Item(index).folder) {
        if (auto object = ItemObject(index)) OpenFolder(TkvShellFolder::FromAbsolute(object->AbsoluteID()));
    } else if (OnFileDoubleClick) {
        OnFileDoubleClick(index);
    }
}

void TkvSkinFileListView::KeyDown(WPARAM key) {
    const bool editing = ListView_GetEditControl(handle()) != nullptr;
    if (key == VK_BACK && !editing) {
        GoUp();
    } else if (key == VK_RETURN && !editing) {
        const int i = SelectedIndex();
        if (i < 0) return;
        if (GetKeyState(VK_MENU) < 0) {
            ShowProperties(i);
        } else if (Item(i).folder) {
            OpenItem(i);
        } else if (OnEnterFile) {
            OnEnterFile(this);
        }
    } else if (key == VK_F5) {
        Refresh();
    }
}

void TkvSkinFileListView::ShowProperties(int i) {
    if (i < 0 || i >= ItemCount() || !folder_) return;
    if (OnProperties) {
        OnProperties(i);
        return;
    }
    Pidl absolute = CombinePidl(folder_->AbsoluteID(), Item(i).relative.get());
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = handle();
    info.lpVerb = L"properties";
    info.lpIDList = absolute.get();
    info.nShow = SW_SHOW;
    ShellExecuteExW(&info);
}

void TkvSkinFileListView::EndLabelEdit(NMLVDISPINFOW* info) {
    if (!info->item.pszText || info->item.iItem < 0 || info->item.iItem >= ItemCount()) return;
    const int i = info->item.iItem;
    const std::wstring newName = info->item.pszText;
    auto object = ItemObject(i);
    try {
        object->Rename(newName, handle());
    } catch (const ShellError& e) {
        fw::showException(e);
        return;
    }
    items_[static_cast<size_t>(i)].relative = ClonePidl(object->RelativeID());
    items_[static_cast<size_t>(i)].name = ShellDisplayName(folder_->ShellFolder(), object->RelativeID(),
                                                           SHGDN_INFOLDER | SHGDN_FORPARSING);
    cache_[static_cast<size_t>(i)] = RowCache{};
    ListView_RedrawItems(handle(), i, i);
    if (OnSelectionChange) OnSelectionChange(this);
}

LRESULT TkvSkinFileListView::HandleNotify(NMHDR* hdr) {
    switch (hdr->code) {
        case LVN_GETDISPINFOW: FillDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(hdr)->item); return 0;
        case LVN_ODFINDITEMW: {
            auto* find = reinterpret_cast<NMLVFINDITEMW*>(hdr);
            if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz) return -1;
            std::vector<std::wstring> names;
            names.reserve(items_.size());
            for (const ShellItem& item : items_) names.push_back(item.name);
            return FindByPrefix(names, find->iStart, find->lvfi.psz);
        }
        case LVN_ITEMCHANGED:
        case LVN_ODSTATECHANGED:
            if (OnSelectionChange) OnSelectionChange(this);
            return 0;
        case LVN_COLUMNCLICK: SortByColumn(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem); return 0;
        case NM_DBLCLK: OpenItem(reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem); return 0;
        case LVN_BEGINLABELEDITW: return 0;  // allowed; the shell decides at the end
        case LVN_ENDLABELEDITW: EndLabelEdit(reinterpret_cast<NMLVDISPINFOW*>(hdr)); return FALSE;
        case LVN_KEYDOWN: KeyDown(reinterpret_cast<NMLVKEYDOWN*>(hdr)->wVKey); return 0;
        default: return 0;
    }
}

void TkvSkinFileListView::wndProc(fw::Message& m) {
    if (m.msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(m.lParam);
        if (hdr->code == NM_CUSTOMDRAW && hdr->hwndFrom == ListView_GetHeader(handle())) {
            m.result = DrawHeaderSection(reinterpret_cast<NMCUSTOMDRAW*>(hdr));
            return;
        }
    }
    // Alt+Enter comes as a system key, which the list view does not pass on as a key notification.
    if (m.msg == WM_SYSKEYDOWN && m.wParam == VK_RETURN && !ListView_GetEditControl(handle())) {
        ShowProperties(SelectedIndex());
        m.result = 0;
        return;
    }
    fw::WindowedControl::wndProc(m);
    switch (m.msg) {
        case WM_PAINT:
        case WM_SIZE:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
            if (OnScrollChanged) OnScrollChanged(this);
            break;
        default: break;
    }
}
