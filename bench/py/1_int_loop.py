def main():
    i = 0
    while i < 10000000:
        i += 1


main()
