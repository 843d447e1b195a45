#include "appdriver/MessageBoxes.h"

#include <algorithm>
#include <cwctype>

#include "appdriver/Text.h"
#include "appdriver/WindowQuery.h"

namespace appdriver {
namespace {

struct StandardButton {
    const wchar_t* name;
    int id;
};

constexpr StandardButton kStandardButtons[] = {
    {L"ok", IDOK},         {L"cancel", IDCANCEL},     {L"abort", IDABORT},
    {L"retry", IDRETRY},   {L"ignore", IDIGNORE},     {L"yes", IDYES},
    {L"no", IDNO},         {L"close", IDCLOSE},       {L"help", IDHELP},
    {L"tryagain", IDTRYAGAIN}, {L"continue", IDCONTINUE},
};

int StandardId(std::wstring name) {
    for (auto& c : name) c = static_cast<wchar_t>(std::towlower(c));
    if (name.rfind(L"id", 0) == 0 && name.size() > 2) name.erase(0, 2);
    for (const auto& b : kStandardButtons)
        if (name == b.name) return b.id;
    return 0;
}

}  // namespace

std::vector<std::wstring> MessageBoxInfo::ButtonTexts() const {
    std::vector<std::wstring> texts;
    for (const auto& b : buttons) texts.push_back(b.text);
    return texts;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    if (!IsWindow(box)) return info;
    info.hwnd = box;
    info.owner = GetWindow(box, GW_OWNER);
    info.caption = TextOf(box);
    if (HWND text = GetDlgItem(box, 0xFFFF)) info.text = TextOf(text);
    std::vector<std::pair<LONG, MessageBoxButton>> found;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!EqualsNoCase(ClassNameOf(child), L"Button") || !IsWindowVisible(child)) continue;
        MessageBoxButton button;
        button.id = GetDlgCtrlID(child);
        button.rawText = TextOf(child);
        button.text = StripMnemonic(button.rawText);
        button.hwnd = child;
        RECT r{};
        GetWindowRect(child, &r);
        found.emplace_back(r.left, std::move(button));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& f : found) info.buttons.push_back(std::move(f.second));
    return info;
}

const MessageBoxButton* FindButton(const MessageBoxInfo& box, const std::wstring& textOrId) {
    const std::wstring wanted = StripMnemonic(textOrId);
    for (const auto& b : box.buttons)
        if (EqualsNoCase(b.text, wanted) || EqualsNoCase(b.rawText, textOrId)) return &b;

    int id = 0;
    if (!textOrId.empty() && textOrId.find_first_not_of(L"0123456789") == std::wstring::npos)
        id = _wtoi(textOrId.c_str());
    else
        id = StandardId(wanted);
    for (const auto& b : box.buttons)
        if (id != 0 && b.id == id) return &b;
    return nullptr;
}

}  // namespace appdriver
