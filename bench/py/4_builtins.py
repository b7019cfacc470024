def main():
    t = "hello world 12345"
    i = 0
    n = 0
    while i < 1000000:
        a = t[2:2 + 5]
        p = t.find("world")
        v = int("12345")
        n += p + v
        i += 1


main()
