def main():
    prev = ""
    line = ""
    i = 0
    n = 0
    lines = 0
    while i < 500000:
        w = "key" + str(i % 37) + "_" + str(i % 7)
        if w < prev:
            n += 1
        elif w == prev:
            n += 100
        elif w > "key3":
            n += 2
        line += w + " "
        if len(line) > 100:
            lines += 1
            line = ""
        prev = w
        i += 1
    print(n + lines)


main()
