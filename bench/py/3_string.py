def main():
    s = ""
    i = 0
    while i < 1000000:
        s += "x"
        i += 1
    n = len(s)


main()
