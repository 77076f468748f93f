// The folder browser: the drives and their folders in a tree, each folder
// listed when the player opens or selects it (a drive's whole tree can be far
// too big to walk, and links can lead back to a folder's own ancestors).
#include "sound/sound_win32.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "sound/folder_path.h"
#include "storage/files.h"

// The pictures in the image list, in the order they are added.
enum FolderImage { ImageFolder, ImageFolderOpen, ImageRemovable, ImageRemovableOpen, ImageFixed, ImageFixedOpen,
                   ImageCdRom, ImageRamDisk };
static const int ImageBitmaps[] = {IDB_FOLDER, IDB_FOLDER_OPEN, IDB_REMOVABLE, IDB_REMOVABLE_OPEN,
                                   IDB_FIXED,  IDB_FIXED_OPEN,  IDB_CDROM,     IDB_RAMDISK};

// An item's lParam: whether its folders have been listed under it.
static const LPARAM NotListed = 0, Listed = 1;

struct Browser {
    std::string* soundFolder;
    char* answer;
    std::size_t answerSize;
    HIMAGELIST images;
};

static HWND Tree(HWND dialog)
{
    return GetDlgItem(dialog, IDC_FOLDER_TREE);
}

static std::string ItemName(HWND tree, HTREEITEM item)
{
    char name[TextBufferSize] = "";
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = name;
    query.cchTextMax = sizeof name;
    TreeView_GetItem(tree, &query);
    return name;
}

// The path an item stands for, ending with a backslash.
static std::string ItemPath(HWND tree, HTREEITEM item)
{
    std::vector<std::string> names;
    for (; item; item = TreeView_GetParent(tree, item))
        names.insert(names.begin(), ItemName(tree, item));
    return JoinItemNames(names);
}

static void SetItemState(HWND tree, HTREEITEM item, LPARAM listed, int children)
{
    TVITEMA change = {};
    change.mask = TVIF_PARAM | TVIF_CHILDREN;
    change.hItem = item;
    change.lParam = listed;
    change.cChildren = children;
    TreeView_SetItem(tree, &change);
}

static LPARAM ItemListed(HWND tree, HTREEITEM item)
{
    TVITEMA query = {};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    TreeView_GetItem(tree, &query);
    return query.lParam;
}

// Which folder a path is on disk, so that a link back to an ancestor is seen
// for what it is.
struct FolderIdentity {
    DWORD volume = 0, high = 0, low = 0;
    bool known = false;
};

static FolderIdentity IdentityOf(const std::string& path)
{
    FolderIdentity identity;
    HANDLE folder = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return identity;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(folder, &info)) {
        identity.volume = info.dwVolumeSerialNumber;
        identity.high = info.nFileIndexHigh;
        identity.low = info.nFileIndexLow;
        identity.known = true;
    }
    CloseHandle(folder);
    return identity;
}

static bool SameFolder(const FolderIdentity& a, const FolderIdentity& b)
{
    return a.known && b.known && a.volume == b.volume && a.high == b.high && a.low == b.low;
}

// True when the item's folder is one of its own ancestors reached again.
static bool LeadsBackIntoItself(HWND tree, HTREEITEM item)
{
    HTREEITEM parent = TreeView_GetParent(tree, item);
    if (!parent)
        return false;
    const FolderIdentity self = IdentityOf(ItemPath(tree, item));
    for (; parent; parent = TreeView_GetParent(tree, parent))
        if (SameFolder(self, IdentityOf(ItemPath(tree, parent))))
            return true;
    return false;
}

// Lists the folders of an item's folder beneath it, once. Each may have
// folders of its own, so it shows that it can be opened until it is listed.
static void ListFolders(HWND tree, HTREEITEM item)
{
    if (!item || ItemListed(tree, item) == Listed)
        return;
    int added = 0;
    const std::string pattern = ItemPath(tree, item) + "*.*";
    if (pattern.size() < TextBufferSize && !LeadsBackIntoItself(tree, item)) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!IsListedFolder(found.dwFileAttributes, found.cFileName))
                    continue;
                TVINSERTSTRUCTA insert = {};
                insert.hParent = item;
                insert.hInsertAfter = TVI_SORT;
                insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
                insert.item.pszText = found.cFileName;
                insert.item.iImage = ImageFolder;
                insert.item.iSelectedImage = ImageFolderOpen;
                insert.item.lParam = NotListed;
                insert.item.cChildren = 1;
                if (TreeView_InsertItem(tree, &insert))
                    ++added;
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
    }
    SetItemState(tree, item, Listed, added > 0 ? 1 : 0);
}

static HIMAGELIST MakeImages()
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR, 8, 0);
    if (!images)
        return nullptr;
    ImageList_SetBkColor(images, GetSysColor(COLOR_WINDOW));
    for (int id : ImageBitmaps) {
        HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        ImageList_Add(images, picture, nullptr);
        DeleteObject(picture);
    }
    return images;
}

// Adds a root item for every drive; a network drive takes the pictures of the
// drive added before it.
static void AddDrives(HWND tree)
{
    const DWORD drives = GetLogicalDrives();
    int image = ImageFixed, selectedImage = ImageFixedOpen;
    for (int letter = 0; letter < 26; ++letter) {
        if (!(drives & (1u << letter)))
            continue;
        char root[4] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
        switch (GetDriveTypeA(root)) {
        case DRIVE_REMOVABLE: image = ImageRemovable; selectedImage = ImageRemovableOpen; break;
        case DRIVE_FIXED:
        case DRIVE_UNKNOWN:
        case DRIVE_NO_ROOT_DIR: image = ImageFixed; selectedImage = ImageFixedOpen; break;
        case DRIVE_CDROM: image = selectedImage = ImageCdRom; break;
        case DRIVE_RAMDISK: image = selectedImage = ImageRamDisk; break;
        default: break;
        }
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = root;
        insert.item.iImage = image;
        insert.item.iSelectedImage = selectedImage;
        insert.item.lParam = NotListed;
        insert.item.cChildren = 1;
        TreeView_InsertItem(tree, &insert);
    }
}

// Opens and selects each folder of path in turn, as far as the tree has it.
static void ExpandAlong(HWND tree, const std::string& path)
{
    std::string rest = path;
    HTREEITEM level = TreeView_GetRoot(tree);
    while (!rest.empty() && level) {
        HTREEITEM match = nullptr;
        for (HTREEITEM item = level; item && !match; item = TreeView_GetNextSibling(tree, item))
            if (ItemBeginsPath(ItemName(tree, item), rest))
                match = item;
        if (!match)
            return;
        ListFolders(tree, match);
        TreeView_Expand(tree, match, TVE_EXPAND);
        TreeView_SelectItem(tree, match);
        rest = PastNextBackslash(rest);
        level = TreeView_GetChild(tree, match);
    }
}

static void OnInit(HWND dialog, Browser* browser)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(browser));
    HWND tree = Tree(dialog);
    browser->images = MakeImages();
    TreeView_SetImageList(tree, browser->images, TVSIL_NORMAL);
    AddDrives(tree);
    // The comparisons work on the folder in lower case, and it stays so.
    *browser->soundFolder = LowerShiftJis(*browser->soundFolder);
    ExpandAlong(tree, *browser->soundFolder);
}

static void Close(HWND dialog, Browser* browser, bool ok)
{
    HWND tree = Tree(dialog);
    HTREEITEM selected = TreeView_GetSelection(tree);
    const std::string answer = ok && selected ? ItemPath(tree, selected) : *browser->soundFolder;
    lstrcpynA(browser->answer, answer.c_str(), static_cast<int>(browser->answerSize));
    EndDialog(dialog, ok ? 1 : 0);
}

static INT_PTR OnNotify(const NMHDR* header)
{
    if (header->idFrom != IDC_FOLDER_TREE)
        return FALSE;
    const NMTREEVIEWA* change = reinterpret_cast<const NMTREEVIEWA*>(header);
    switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        if (change->action & TVE_EXPAND)
            ListFolders(header->hwndFrom, change->itemNew.hItem);
        break;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        ListFolders(header->hwndFrom, change->itemNew.hItem);
        break;
    default:
        break;
    }
    return FALSE;
}

static INT_PTR CALLBACK FolderBrowserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Browser* browser = reinterpret_cast<Browser*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<Browser*>(lParam));
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        if (browser && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            Close(dialog, browser, LOWORD(wParam) == IDOK);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        if (browser && browser->images)
            ImageList_Destroy(browser->images);
        return FALSE;
    default:
        return FALSE;
    }
}

bool RunFolderBrowser(HWND owner, std::string* soundFolder, char* answer, std::size_t size)
{
    Browser browser = {soundFolder, answer, size, nullptr};
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SELECTFOLDER), owner,
                           FolderBrowserProc, reinterpret_cast<LPARAM>(&browser)) == 1;
}
