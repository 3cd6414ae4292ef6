#pragma once

// Asks the system to back the heap's further growth with large pages. On a
// virtual machine first use of memory costs most of filling a large tree, and
// a large page is one fault where small pages are five hundred. Call first
// thing in main, before any thread starts; without glibc it does nothing.
void preferLargePagesForTheHeap();
