#pragma once

// Every call the fake libraries receive, in order, each followed by ';'.
void fakeRecord(const char* call);
