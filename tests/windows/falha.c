/* Writes through a null pointer: the crash that the Wine tests expect to end
   the run at once. */
int main(void) {
    volatile int* p = 0;
    *p = 1;
    return 0;
}
