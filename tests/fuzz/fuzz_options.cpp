// Defaults of AddressSanitizer in every fuzzer. One input of our parsers
// allocates kilobytes, so a quarantine of 10 MB still holds every block that
// an input freed; the default 256 MB would keep the allocator touching fresh
// pages for each input.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=10";
}
