def main():
    i = 0
    n = 0
    while i < 3000000 and n >= 0:
        if (i % 7 == 3 or i % 11 == 5) and i % 2 == 0:
            n += 1
        elif i % 13 == 0 or not (i & 1) and i % 17 == 2:
            n += 2
        i += 1
    print(n)


main()
