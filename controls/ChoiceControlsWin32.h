#pragma once
// The native side of the controls that offer a choice: the drop-down list ("combobox") of
// the pop-up list and the tab strip ("SysTabControl32") of the tab controls.
#include "application/KNativeMessage.h"

// WS_BORDER | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DROPDOWNLIST.
constexpr unsigned long kDropDownListStyle = 0x00A00043;
// The native height of a drop-down list is that of its opened list.
constexpr short kDropDownListHeight = 1000;
// What the list answers when nothing is selected.
constexpr long kNoComboSelection = -1;

void addComboItemWin32(void* Window, const char* Text);
void removeAllComboItemsWin32(void* Window);
// Index 0 is the first line.
void setComboSelectionWin32(void* Window, long Index);
long getComboSelectionWin32(void* Window);
// The list's own notification that the user chose another line (CBN_SELCHANGE).
bool isComboSelectionChangeWin32(const KNativeMessage& M);
bool isNativeWindowEnabledWin32(void* Window);
// A move or resize of the list keeps the native height of the opened list; true when the
// message was one.
bool keepDropDownHeightWin32(const KNativeMessage& M);

// The tab is inserted after the last one; its index, or -1 when the platform refused.
long appendNativeTabWin32(void* Window, const char* Title);
void selectNativeTabWin32(void* Window, long Index);
long getSelectedNativeTabWin32(void* Window);
bool isNotifyWin32(const KNativeMessage& M);
// The strip's notification that the user chose another tab (TCN_SELCHANGE).
bool isTabSelectionChangeWin32(const KNativeMessage& M);
