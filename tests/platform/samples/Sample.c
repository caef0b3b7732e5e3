/* A library that only carries a version resource, to be read and signed by the tests. */
__declspec(dllexport) int SampleValue(void) {
    return 5;
}
