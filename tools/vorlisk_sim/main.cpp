// pending
int main(){return 0;}
