#include "controls/SelectStateButton.h"

CSelectStateButton::CSelectStateButton() { ::InitializeCriticalSection(&m_csState); }

CSelectStateButton::~CSelectStateButton() { ::DeleteCriticalSection(&m_csState); }

void CSelectStateButton::SetImages(HWND hWndOwner, ImageList images)
{
    m_hWndOwner = hWndOwner;
    m_vecImages = std::move(images);
}

int CSelectStateButton::GetState()
{
    ::EnterCriticalSection(&m_csState);
    int state = m_nState;
    ::LeaveCriticalSection(&m_csState);
    return state;
}

void CSelectStateButton::DrawItem(DRAWITEMSTRUCT* dis)
{
    ::SetBkMode(dis->hDC, TRANSPARENT);
    Gdiplus::Graphics graphics(dis->hDC);
    int state = GetState();
    Gdiplus::Image* face = static_cast<size_t>(state) < m_vecImages.size() ? m_vecImages[state] : nullptr;
    DrawSkinImage(graphics, face, 0, 0, dis->rcItem.right - dis->rcItem.left, dis->rcItem.bottom - dis->rcItem.top);
}
