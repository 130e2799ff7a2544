#pragma once

#include <cstddef>
#include <type_traits>

#include <windows.h>
#include <commctrl.h>

#include "platform/geometry.h"

// Message maps: static constexpr tables of (message, notification code,
// control id) -> member handler, dispatched by the class's CMessageMapImpl base.
// Each message fixes its handler's signature, as typed message crackers do: a
// handler with another signature fails to compile.
//
//   class CMyDlg : public CMessageMapImpl<CMyDlg, CDialog> {
//       ...
//       static constexpr MessageEntry<CMyDlg> messageMap[] = {
//           OnMessage<WM_PAINT, &CMyDlg::OnPaint>(),
//           OnCommand<&CMyDlg::OnChangeName>(EN_CHANGE, IDC_NAME),
//           OnNotify<TCN_SELCHANGING, &CMyDlg::OnSelchangingTabs>(IDC_TABS),
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

// The signature that a message (WM_NOTIFY: its code) fixes for its handler;
// a WM_COMMAND handler takes and returns nothing. A message not listed here
// has no unpacking yet: naming it fails to compile.
template <UINT Message, UINT Code>
constexpr auto HandlerSignature()
{
    if constexpr (Message == WM_PAINT || Message == WM_SYSCOLORCHANGE)
        return std::type_identity<void()>();
    else if constexpr (Message == WM_QUERYDRAGICON)
        return std::type_identity<HCURSOR()>();
    else if constexpr (Message == WM_SYSCOMMAND)
        return std::type_identity<void(UINT nID, LPARAM lParam)>();
    else if constexpr (Message == WM_LBUTTONDOWN)
        return std::type_identity<void(UINT nFlags, CPoint clientPoint)>();
    else if constexpr (Message == WM_NOTIFY && Code == TCN_SELCHANGING)
        return std::type_identity<BOOL()>();  // TRUE refuses the change
}
template <UINT Message, UINT Code>
using SignatureOf = typename decltype(HandlerSignature<Message, Code>())::type;

namespace message_map_detail {

template <class F>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    using type = C;
    using signature = R(A...);
};
template <auto Fn>
using OwnerOf = typename MemberOf<decltype(Fn)>::type;

// Cracks wParam/lParam into the arguments of the signature Sig that the
// message fixed, and calls Fn.
template <class Sig, auto Fn>
LRESULT Call(OwnerOf<Fn>& self, WPARAM wParam, LPARAM lParam)
{
    if constexpr (std::is_same_v<Sig, void()>) {
        (self.*Fn)();
        return 0;
    } else if constexpr (std::is_same_v<Sig, void(UINT, LPARAM)>) {
        (self.*Fn)(static_cast<UINT>(wParam), lParam);
        return 0;
    } else if constexpr (std::is_same_v<Sig, void(UINT, CPoint)>) {
        (self.*Fn)(static_cast<UINT>(wParam),
                   CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    } else if constexpr (std::is_same_v<Sig, HCURSOR()>) {
        return reinterpret_cast<LRESULT>((self.*Fn)());
    } else {
        static_assert(std::is_same_v<Sig, BOOL()>, "a signature with no unpacking");
        return (self.*Fn)();
    }
}

template <class Sig, auto Fn>
constexpr MessageEntry<OwnerOf<Fn>> Entry(UINT message, UINT code, UINT id)
{
    static_assert(std::is_same_v<typename MemberOf<decltype(Fn)>::signature, Sig>,
                  "the handler's signature is not the one its message fixes");
    return {message, code, id, &Call<Sig, Fn>};
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

template <UINT Message, auto Fn>
constexpr auto OnMessage()
{
    return message_map_detail::Entry<SignatureOf<Message, 0>, Fn>(Message, 0, 0);
}

template <auto Fn>
constexpr auto OnCommand(UINT code, UINT id)
{
    return message_map_detail::Entry<void(), Fn>(WM_COMMAND, code, id);
}

template <UINT Code, auto Fn>
constexpr auto OnNotify(UINT id)
{
    return message_map_detail::Entry<SignatureOf<WM_NOTIFY, Code>, Fn>(WM_NOTIFY, Code, id);
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
