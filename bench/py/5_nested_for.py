def main():
    s = 0
    for i in range(0, 3000):
        for j in range(0, 3000):
            s += (i ^ j) & 7
    print(s)


main()
