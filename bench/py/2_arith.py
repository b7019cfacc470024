def main():
    i = 0
    s = 0
    while i < 5000000:
        if i % 3 == 0:
            s += i * 2
        else:
            s -= 1
        i += 1


main()
