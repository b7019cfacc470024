def main():
    i = 0
    s = 0
    while i < 2000000:
        k = i % 12
        if k == 0:
            s += 1
        elif k == 1:
            s += 3
        elif k == 2:
            s -= 2
        elif k == 3:
            s += 5
        elif k == 4:
            s ^= 1
        elif k == 5:
            s -= 4
        elif k == 6:
            s += 6
        elif k == 7:
            s -= 1
        elif k == 8:
            s += 2
        elif k == 9:
            s += k
        elif k == 10:
            s -= 3
        else:
            s += 7
        i += 1
    print(s)


main()
