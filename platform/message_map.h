#pragma once

#include <cstddef>
#include <type_traits>

#include <windows.h>

#include "platform/geometry.h"

// Message maps: static constexpr tables of (message, notification code,
// control id) -> member handler, dispatched by the class's CMessageMapImpl base.
//
//   class CMyDlg : public CMessageMapImpl<CMyDlg, CDialog> {
//       ...
//       static constexpr MessageEntry<CMyDlg> messageMap[] = {
//           OnMessage<&CMyDlg::OnPaint>(WM_PAINT),
//           OnCommand<&CMyDlg::OnChangeName>(EN_CHANGE, IDC_NAME),
//           OnNotify<&CMyDlg::OnSelchangingTabs>(TCN_SELCHANGING, IDC_TABS),
//       };
//   };

template <class T>
struct MessageEntry {
    UINT message;
    UINT code;  // WM_COMMAND, WM_NOTIFY: notification code; otherwise 0
    UINT id;    // WM_COMMAND, WM_NOTIFY: control id; otherwise 0
    // Calls the handler; returns the message's result.
    LRESULT (*call)(T& self, WPARAM wParam, LPARAM lParam);
};

namespace message_map_detail {

template <class F>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    using type = C;
};
template <auto Fn>
using OwnerOf = typename MemberOf<decltype(Fn)>::type;

// Cracks wParam/lParam into the handler's own parameters, chosen by its signature:
//   void()                 commands, notifications, WM_PAINT ...
//   void(UINT, LPARAM)     WM_SYSCOMMAND (command id, parameter)
//   void(UINT, CPoint)     mouse messages (key flags, client point)
//   HCURSOR()              WM_QUERYDRAGICON
//   BOOL()                 notifications answered TRUE or FALSE (TCN_SELCHANGING...)
//   LRESULT(WPARAM, LPARAM) anything, uncracked
template <auto Fn>
LRESULT Call(OwnerOf<Fn>& self, WPARAM wParam, LPARAM lParam)
{
    using T = OwnerOf<Fn>;
    using F = decltype(Fn);
    if constexpr (std::is_same_v<F, void (T::*)()>) {
        (self.*Fn)();
        return 0;
    } else if constexpr (std::is_same_v<F, void (T::*)(UINT, LPARAM)>) {
        (self.*Fn)(static_cast<UINT>(wParam), lParam);
        return 0;
    } else if constexpr (std::is_same_v<F, void (T::*)(UINT, CPoint)>) {
        (self.*Fn)(static_cast<UINT>(wParam),
                   CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    } else if constexpr (std::is_same_v<F, HCURSOR (T::*)()>) {
        return reinterpret_cast<LRESULT>((self.*Fn)());
    } else if constexpr (std::is_same_v<F, BOOL (T::*)()>) {
        return (self.*Fn)();
    } else {
        static_assert(std::is_same_v<F, LRESULT (T::*)(WPARAM, LPARAM)>, "unsupported handler signature");
        return (self.*Fn)(wParam, lParam);
    }
}

template <class T>
inline bool Matches(const MessageEntry<T>& entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (entry.message != message)
        return false;
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return entry.code == header->code && entry.id == header->idFrom;
    }
    return message != WM_COMMAND || (entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam));
}

// Runs the first matching entry; false when the map has none.
template <class T, size_t N>
bool DispatchMessageMap(const MessageEntry<T> (&map)[N], T& self, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& result)
{
    for (const MessageEntry<T>& entry : map) {
        if (Matches(entry, message, wParam, lParam)) {
            result = entry.call(self, wParam, lParam);
            return true;
        }
    }
    return false;
}

}  // namespace message_map_detail

template <auto Fn>
constexpr MessageEntry<message_map_detail::OwnerOf<Fn>> OnMessage(UINT message)
{
    return {message, 0, 0, &message_map_detail::Call<Fn>};
}

template <auto Fn>
constexpr MessageEntry<message_map_detail::OwnerOf<Fn>> OnCommand(UINT code, UINT id)
{
    return {WM_COMMAND, code, id, &message_map_detail::Call<Fn>};
}

template <auto Fn>
constexpr MessageEntry<message_map_detail::OwnerOf<Fn>> OnNotify(UINT code, UINT id)
{
    return {WM_NOTIFY, code, id, &message_map_detail::Call<Fn>};
}

// A (message, code, id) listed twice would leave the second handler dead.
template <class T, size_t N>
constexpr bool IsUniqueMessageMap(const MessageEntry<T> (&map)[N])
{
    for (size_t i = 0; i < N; ++i)
        for (size_t j = i + 1; j < N; ++j)
            if (map[i].message == map[j].message && map[i].code == map[j].code && map[i].id == map[j].id)
                return false;
    return true;
}

// The base of a class T with a message map: TBase is the framework class it
// extends (CDialog, CSubclassedWnd<CTabCtrl>). T's map comes first; what it
// does not handle goes on to TBase.
template <class T, class TBase>
class CMessageMapImpl : public TBase {
public:
    using TBase::TBase;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        static_assert(IsUniqueMessageMap(T::messageMap),
                      "a (message, code, id) listed twice leaves a handler dead");
        return message_map_detail::DispatchMessageMap(T::messageMap, static_cast<T&>(*this), message, wParam,
                                                      lParam, result) ||
               TBase::OnWndMsg(message, wParam, lParam, result);
    }
};
