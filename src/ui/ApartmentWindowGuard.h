// The apartment window that the system gives a thread of ours behind the program's back.
//
// The program never initializes COM, yet the input method's support does it for every thread
// whose window gets the focus (seen under Wine: the input context's activation initializes a
// single-threaded apartment, and with it a message-only window of the class
// OleMainThreadWndClass). That window's procedure takes WM_USER+0 and WM_USER+1 as calls into
// the apartment, with a pointer in lParam; any program can post or send them with 0 there,
// which crashes the thread. The program keeps the input method (names may be typed in any
// script) and makes no call through an apartment, so such messages are only ever forged: the
// window of each guarded thread drops every message of the WM_USER range.
#pragma once

// Any thread that will have windows with the focus (main, and the worker for its message),
// before its first window: from now on each apartment window made on it drops the WM_USER range.
void GuardApartmentWindows();
