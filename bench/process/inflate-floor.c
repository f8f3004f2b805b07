/* The floor of reading a network file as a whole process: read the file, skip the
 * 16-byte signature and the two int32 sizes (body, packed) as the program does, inflate the
 * body into one buffer of the announced size, exit. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <zlib.h>

static uint32_t le32(const unsigned char* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 64;
    }
    FILE* f = fopen(argv[1], "rb");
    if (!f || fseek(f, 0, SEEK_END) != 0)
        return 1;
    const long size = ftell(f);
    rewind(f);
    unsigned char* data = malloc(size > 0 ? (size_t)size : 1);
    if (!data || size < 24 || fread(data, 1, (size_t)size, f) != (size_t)size)
        return 1;
    fclose(f);

    const uint32_t unpacked = le32(data + 16);
    const uint32_t packed = le32(data + 20);
    if (packed > (uint32_t)(size - 24))
        return 1;
    uLongf produced = unpacked;
    unsigned char* body = malloc(unpacked ? unpacked : 1);
    if (!body || uncompress(body, &produced, data + 24, packed) != Z_OK || produced != unpacked)
        return 1;
    printf("%lu bytes\n", (unsigned long)produced);
    free(body);
    free(data);
    return 0;
}
