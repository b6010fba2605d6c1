// A DLL with nothing in it, placed beside the test program to stand for a planted one.
int qvs_planted_marker = 1;
